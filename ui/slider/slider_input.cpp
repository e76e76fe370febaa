// TSlider: mouse, keyboard and focus handling, the ruler press with its repeat, and
// the thumb drag.

#include <QKeyEvent>
#include <QMouseEvent>

#include "ui/slider/slider.h"

// --- Pressing the ruler ------------------------------------------------------------------

void TSlider::mousePressEvent(QMouseEvent* event) {
    // Every press is accepted: Qt then sends the pointer to the slider until the last
    // button is up, which is the capture the repeat relies on.
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint at = event->position().toPoint();
    m_rulerPressed = true;
    m_pressPoint = at;
    m_pressZone = ZoneAt(at.x(), at.y());
    RepeatStep();
}

void TSlider::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TSlider::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (m_rulerPressed) {
        m_pressPoint = event->position().toPoint();
    }
}

void TSlider::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    EndRepeat();
}

void TSlider::RepeatStep() {
    // An OnChange handler may process pending events, the button release among them;
    // a step that finds the press already over must not start the repeat again.
    if (!m_rulerPressed) {
        return;
    }
    if (ZoneAt(m_pressPoint.x(), m_pressPoint.y()) != m_pressZone) {
        return;
    }
    StepValue(m_pressZone);
    if (m_rulerPressed && !m_repeatActive) {
        m_repeatTimer.start();
        m_repeatActive = true;
    }
}

void TSlider::EndRepeat() {
    if (!m_rulerPressed) {
        return;
    }
    if (m_repeatActive) {
        m_repeatTimer.stop();
    }
    m_repeatActive = false;
    m_rulerPressed = false;
}

// --- Dragging the thumb ---------------------------------------------------------------------

void TSlider::ThumbPressed(QObject* /*sender*/, Qt::MouseButton button, TShiftState /*shift*/,
                           int x, int y) {
    setFocus(Qt::MouseFocusReason);
    if (button != Qt::LeftButton) {
        return;
    }
    m_hitOffset = horizontal() ? x : y;
    m_sliding = true;
    m_thumb->SetDown(true);
    raise(m_onStartTracking);
}

void TSlider::ThumbDragged(QObject* /*sender*/, TShiftState shift, int x, int y) {
    if (!(shift.buttons & Qt::LeftButton)) {
        return;
    }
    const QPoint at = m_thumb->pos() + QPoint(x, y);
    MoveThumbTo((horizontal() ? at.x() : at.y()) - m_hitOffset);
}

void TSlider::ThumbReleased(QObject* /*sender*/, Qt::MouseButton /*button*/, TShiftState /*shift*/,
                            int /*x*/, int /*y*/) {
    m_sliding = false;
    m_thumb->SetDown(false);
    raise(m_onStopTracking);
}

// --- Keys and focus ---------------------------------------------------------------------------

void TSlider::keyPressEvent(QKeyEvent* event) {
    StepKind kind = StepKind::None;
    bool recognised = false;
    if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
        Qt::NoModifier) {
        recognised = true;
        switch (event->key()) {
            case Qt::Key_Home:
                kind = StepKind::ToMin;
                break;
            case Qt::Key_End:
                kind = StepKind::ToMax;
                break;
            case Qt::Key_Left:
            case Qt::Key_Right:
                recognised = horizontal();
                kind = event->key() == Qt::Key_Left ? StepKind::Down : StepKind::Up;
                break;
            case Qt::Key_Up:
            case Qt::Key_Down:
                recognised = !horizontal();
                kind = event->key() == Qt::Key_Up ? StepKind::Up : StepKind::Down;
                break;
            default:
                recognised = false;
                break;
        }
    }
    if (!recognised) {
        // Passed on: the parent (or the window's shortcuts) may use the key.
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    StepValue(kind);
}

void TSlider::focusInEvent(QFocusEvent* event) {
    updateFocused();
    QWidget::focusInEvent(event);
}

void TSlider::focusOutEvent(QFocusEvent* event) {
    updateFocused();
    QWidget::focusOutEvent(event);
}

void TSlider::updateFocused() {
    // The window's focus widget, not hasFocus(): a slider whose window is merely
    // inactive keeps its focus rectangle, as it keeps the focus for when the window
    // comes back.
    const bool focused = window()->focusWidget() == this;
    if (focused == m_focused) {
        return;
    }
    m_focused = focused;
    if (m_options.contains(TSliderOption::soShowFocus)) {
        update();
    }
}
