#include "ui/slider/slider_thumb.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/slider/keyed_draw.h"

namespace {

TShiftState shiftOf(const QMouseEvent& event) {
    return {event.buttons(), event.modifiers()};
}

}  // namespace

TSliderThumb::TSliderThumb(QWidget* parent) : QWidget(parent) {
    // The thumb paints only its picture; whatever its key-coloured pixels leave
    // uncovered shows the slider underneath. Qt composes the two off-screen before the
    // screen is touched, so a drag does not flicker.
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    refit();
}

void TSliderThumb::AssignImage(const QImage& image) {
    m_image = image;
    refit();
    update();
}

void TSliderThumb::SetDown(bool down) {
    if (down == m_down) {
        return;
    }
    m_down = down;
    update();
}

void TSliderThumb::SetNumThumbStates(TNumThumbStates states) {
    if (states < kMinThumbStates || states > kMaxThumbStates || states == m_numThumbStates) {
        return;
    }
    m_numThumbStates = states;
    refit();
    update();
}

void TSliderThumb::refit() {
    resize(m_image.width() / m_numThumbStates, m_image.height());
}

void TSliderThumb::paintEvent(QPaintEvent* /*event*/) {
    QRect source = m_image.rect();
    if (m_numThumbStates > 1) {
        const int half = m_image.width() / 2;
        source = m_down ? QRect(half, 0, m_image.width() - half, m_image.height())
                        : QRect(0, 0, half, m_image.height());
    }
    QPainter canvas(this);
    DrawKeyedPart(canvas, 0, 0, source, m_image, m_keyColour);
}

void TSliderThumb::mousePressEvent(QMouseEvent* event) {
    // Qt keeps sending the pointer to the pressed widget until the last button is
    // released, which is the capture the drag relies on.
    if (m_onMouseDown) {
        const QPoint at = event->position().toPoint();
        m_onMouseDown(this, event->button(), shiftOf(*event), at.x(), at.y());
    }
    event->accept();
}

void TSliderThumb::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void TSliderThumb::mouseMoveEvent(QMouseEvent* event) {
    if (m_onMouseMove) {
        const QPoint at = event->position().toPoint();
        m_onMouseMove(this, shiftOf(*event), at.x(), at.y());
    }
    event->accept();
}

void TSliderThumb::mouseReleaseEvent(QMouseEvent* event) {
    if (m_onMouseUp) {
        const QPoint at = event->position().toPoint();
        m_onMouseUp(this, event->button(), shiftOf(*event), at.x(), at.y());
    }
    event->accept();
}
