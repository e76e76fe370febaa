#include "ui/slider/slider.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cstdint>

#include "ui/slider/default_art.h"
#include "ui/slider/slider_arith.h"

using velora::ui::roundHalfEven;
using velora::ui::saturate;

TSlider::TSlider(QWidget* parent) : QWidget(parent) {
    // m_constructing is set: nothing below lays out until CreateParts does it once.
    resize(kDefaultWidth, kDefaultHeight);
    // Tab reaches the slider; a click focuses it from the press handlers, the ruler
    // for the left button only, the thumb for any button.
    setFocusPolicy(Qt::TabFocus);
    // The slider paints only what its pictures cover (and its colour when it has
    // one); Qt paints widgets into an off-screen buffer, so nothing flickers.
    setAttribute(Qt::WA_NoSystemBackground);
    m_repeatTimer.setInterval(kRepeatIntervalMs);
    connect(&m_repeatTimer, &QTimer::timeout, this, [this] { RepeatStep(); });
    CreateParts();
    m_constructing = false;
}

TSlider::~TSlider() = default;

void TSlider::CreateParts() {
    m_thumb = new TSliderThumb(this);
    m_thumb->SetNumThumbStates(2);
    m_thumb->SetOnMouseDown([this](TSliderThumb* sender, Qt::MouseButton button, TShiftState shift,
                                   int x, int y) { ThumbPressed(sender, button, shift, x, y); });
    m_thumb->SetOnMouseMove([this](TSliderThumb* sender, TShiftState shift, int x, int y) {
        ThumbDragged(sender, shift, x, y);
    });
    m_thumb->SetOnMouseUp([this](TSliderThumb* sender, Qt::MouseButton button, TShiftState shift,
                                 int x, int y) { ThumbReleased(sender, button, shift, x, y); });
    for (int index = 0; index < kSliderImageCount; ++index) {
        SetImageAt(index, QImage());
    }
    LayoutParts();
}

// --- Pictures ------------------------------------------------------------------------

const QImage& TSlider::ImageAt(int index) const {
    static const QImage kNone;
    if (index < 0 || index >= kSliderImageCount) {
        return kNone;
    }
    return m_images[static_cast<std::size_t>(index)];
}

void TSlider::SetImageAt(int index, const QImage& image) {
    if (index < 0 || index >= kSliderImageCount) {
        return;
    }
    QImage& slot = m_images[static_cast<std::size_t>(index)];
    if (image.isNull()) {
        slot = velora::ui::defaultSliderImage(index);
        m_userImages.exclude(index);
    } else {
        slot = image;
        m_userImages.include(index);
    }
    if (index == thumbSlot()) {
        m_thumb->AssignImage(slot);
    }
    if (!m_constructing) {
        Relayout();
    }
}

// --- Properties ----------------------------------------------------------------------

void TSlider::SetEdgeSize(int edgeSize) {
    const QImage& ruler = m_images[static_cast<std::size_t>(rulerSlot())];
    const int lengthAlong = horizontal() ? ruler.width() : ruler.height();
    if (edgeSize < 0 || 2 * std::int64_t{edgeSize} >= lengthAlong || edgeSize == m_edgeSize) {
        return;
    }
    m_edgeSize = edgeSize;
    Relayout();
}

TNumThumbStates TSlider::NumThumbStates() const {
    return m_thumb->NumThumbStates();
}

void TSlider::SetNumThumbStates(TNumThumbStates states) {
    m_thumb->SetNumThumbStates(states);
}

void TSlider::SetOrientation(TSliderOrientation orientation) {
    if (orientation == m_orientation) {
        return;
    }
    m_orientation = orientation;
    m_thumb->AssignImage(m_images[static_cast<std::size_t>(thumbSlot())]);
    Relayout();
}

void TSlider::SetOptions(TSliderOptions options) {
    if (options == m_options) {
        return;
    }
    m_options = options;
    update();
}

void TSlider::SetIncrement(int increment) {
    if (increment <= 0 || increment == m_increment) {
        return;
    }
    m_increment = increment;
    SetValue(m_value);
    update();
}

void TSlider::SetMinValue(int minValue) {
    if (minValue == m_minValue || std::int64_t{minValue} > std::int64_t{m_maxValue} - m_increment) {
        return;
    }
    m_minValue = minValue;
    if (m_options.contains(TSliderOption::soShowPoints)) {
        update();
    }
}

void TSlider::SetMaxValue(int maxValue) {
    if (maxValue == m_maxValue || std::int64_t{maxValue} < std::int64_t{m_minValue} + m_increment) {
        return;
    }
    m_maxValue = maxValue;
    if (m_options.contains(TSliderOption::soShowPoints)) {
        update();
    }
}

void TSlider::SetValue(int value) {
    if (value > m_maxValue) {
        value = m_maxValue;
    }
    if (value < m_minValue) {
        value = m_minValue;
    }
    const bool changed = value != m_value;
    m_value = value;
    MoveThumbTo(PositionOfValue(value));
    if (changed) {
        raise(m_onChange);
    }
}

void TSlider::SetColor(const QColor& color) {
    if (color == m_color) {
        return;
    }
    m_color = color;
    update();
}

void TSlider::raise(const TNotifyEvent& event) {
    // A copy, so a handler that replaces itself does not destroy the code it runs.
    if (const TNotifyEvent handler = event) {
        handler(this);
    }
}

void TSlider::NotifyChange() {
    raise(m_onChange);
}

// --- Layout ----------------------------------------------------------------------------

void TSlider::ComposeRuler() {
    const bool alongX = horizontal();
    const QImage& source = m_images[static_cast<std::size_t>(rulerSlot())];
    const int length = std::max(0, alongX ? width() : height());
    const int across = alongX ? source.height() : source.width();
    const int full = alongX ? source.width() : source.height();

    QImage result(alongX ? QSize(length, across) : QSize(across, length), QImage::Format_ARGB32);
    result.fill(velora::ui::kSliderKeyColour);

    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Copies `count` pixels along, from `from` in the picture to `to` in the result,
    // across the whole width (or height).
    const auto copy = [&](int to, int count, int from) {
        const QRect sourceRect =
            alongX ? QRect(from, 0, count, across) : QRect(0, from, across, count);
        const QRect part = sourceRect.intersected(source.rect());
        if (part.isEmpty()) {
            return;
        }
        const int shift = alongX ? part.left() - from : part.top() - from;
        const QPoint target = alongX ? QPoint(to + shift, 0) : QPoint(0, to + shift);
        painter.drawImage(target, source, part);
    };

    const int edge = m_edgeSize;
    const int mid = full - 2 * edge;
    if (mid <= 0) {
        // No middle to repeat (the edge size was checked against another picture):
        // the picture is shown once from its start and the rest stays uncovered.
        copy(0, full, 0);
    } else {
        const int len = length - 2 * edge;
        const int count = len / mid + 1;
        const int rem = len % mid;
        for (int i = 0; i < count; ++i) {
            if (i == 0) {
                copy(0, full - edge, 0);
            } else if (i < count - 1) {
                copy(edge + i * mid, mid, edge);
            } else {
                copy(edge + i * mid, edge + rem, edge + mid - rem);
            }
        }
    }
    painter.end();
    m_rulerBitmap = result;
}

void TSlider::LayoutParts() {
    const int remembered = m_value;
    ComposeRuler();
    const int rulerWidth = m_rulerBitmap.width();
    const int rulerHeight = m_rulerBitmap.height();
    const int thumbWidth = m_thumb->width();
    const int thumbHeight = m_thumb->height();
    if (horizontal()) {
        int partsBottom = 0;
        if (rulerHeight < thumbHeight) {
            m_thumb->move(0, 0);
            m_rulerOrigin = QPoint(0, (thumbHeight - rulerHeight) / 2);
            partsBottom = thumbHeight;
        } else {
            m_thumb->move(0, (rulerHeight - thumbHeight) / 2);
            m_rulerOrigin = QPoint(0, 0);
            partsBottom = rulerHeight;
        }
        m_pointsRect = {m_rulerOrigin.x(), partsBottom + 1, m_rulerOrigin.x() + rulerWidth,
                        height() - 1};
    } else {
        int partsRight = 0;
        if (rulerWidth < thumbWidth) {
            m_thumb->move(0, 0);
            m_rulerOrigin = QPoint((thumbWidth - rulerWidth) / 2, 0);
            partsRight = thumbWidth;
        } else {
            m_thumb->move((rulerWidth - thumbWidth) / 2, 0);
            m_rulerOrigin = QPoint(0, 0);
            partsRight = rulerWidth;
        }
        m_pointsRect = {partsRight + 1, m_rulerOrigin.y(), width() - 1,
                        m_rulerOrigin.y() + rulerHeight};
    }
    SetValue(remembered);
}

void TSlider::Relayout() {
    LayoutParts();
    update();
}

void TSlider::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // While the stored form is read the size arrives before the pictures are final;
    // Loaded lays out once everything is in.
    if (!m_constructing && !m_loading) {
        Relayout();
    }
}

// --- Positions and values -------------------------------------------------------------

int TSlider::TravelLength() const {
    return horizontal() ? m_rulerBitmap.width() - m_thumb->width()
                        : m_rulerBitmap.height() - m_thumb->height();
}

int TSlider::PositionOfValue(int v) const {
    const std::int64_t range = std::int64_t{m_maxValue} - m_minValue;
    const std::int64_t product = std::int64_t{TravelLength()} * (std::int64_t{v} - m_minValue);
    // The write rules keep MaxValue above MinValue; the test only keeps an impossible
    // state from dividing by zero.
    const std::int64_t position =
        range == 0 ? 0 : roundHalfEven(static_cast<double>(product) / static_cast<double>(range));
    if (horizontal()) {
        return saturate(position);
    }
    return saturate(std::int64_t{height()} - position - m_thumb->height());
}

int TSlider::ValueAtPosition(int p) const {
    if (!horizontal()) {
        p = saturate(std::int64_t{height()} - p - m_thumb->height());
    }
    const int travel = TravelLength();
    if (travel <= 0) {
        // The thumb cannot move: every position means the lowest value.
        return m_minValue;
    }
    const std::int64_t product = std::int64_t{p} * (std::int64_t{m_maxValue} - m_minValue);
    std::int64_t r = roundHalfEven(static_cast<double>(product) / travel);
    if (!m_options.contains(TSliderOption::soSmooth)) {
        r = (r / m_increment) * m_increment;
    }
    return saturate(r + m_minValue);
}

void TSlider::MoveThumbTo(int p) {
    const int remembered = m_value;
    const int travel = std::max(0, TravelLength());
    p = std::clamp(p, 0, travel);
    if (!m_options.contains(TSliderOption::soSmooth)) {
        // Snapping lands inside the travel for any consistent range; the clamp keeps
        // the thumb on the ruler should MinValue and MaxValue have moved past Value.
        p = std::clamp(PositionOfValue(ValueAtPosition(p)), 0, travel);
    }
    if (horizontal()) {
        m_thumb->move(p, m_thumb->y());
    } else {
        m_thumb->move(m_thumb->x(), p);
    }
    if (m_sliding) {
        m_value = ValueAtPosition(p);
        if (m_value != remembered) {
            NotifyChange();
        }
    }
}

void TSlider::StepValue(StepKind kind) {
    const std::int64_t base = (std::int64_t{m_value} / m_increment) * m_increment;
    switch (kind) {
        case StepKind::None:
            break;
        case StepKind::ToMin:
            SetValue(m_minValue);
            break;
        case StepKind::ToMax:
            SetValue(m_maxValue);
            break;
        case StepKind::Up:
            SetValue(saturate(base + m_increment));
            break;
        case StepKind::Down:
            SetValue(saturate(base - m_increment));
            break;
    }
}

StepKind TSlider::ZoneAt(int x, int y) const {
    const QRect thumb = m_thumb->geometry();
    if (horizontal()) {
        if (x < thumb.x()) {
            return StepKind::Down;
        }
        if (x > thumb.x() + thumb.width()) {
            return StepKind::Up;
        }
        return StepKind::None;
    }
    if (y < thumb.y()) {
        return StepKind::Up;
    }
    if (y > thumb.y() + thumb.height()) {
        return StepKind::Down;
    }
    return StepKind::None;
}
