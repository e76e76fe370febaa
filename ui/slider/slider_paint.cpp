// TSlider: painting the composed ruler, the focus rectangle and the tick marks.

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>
#include <cstdint>

#include "ui/slider/keyed_draw.h"
#include "ui/slider/slider.h"

void TSlider::paintEvent(QPaintEvent* /*event*/) {
    QPainter canvas(this);
    if (m_color.isValid()) {
        canvas.fillRect(rect(), m_color);
    }
    // The ruler is composed on layout; a paint only draws it.
    if (m_rulerBitmap.width() > 0) {
        DrawKeyed(canvas, m_rulerOrigin.x(), m_rulerOrigin.y(), m_rulerBitmap,
                  velora::ui::kSliderKeyColour);
    }
    if (m_options.contains(TSliderOption::soShowFocus) && m_focused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &canvas, this);
    }
    if (m_options.contains(TSliderOption::soShowPoints)) {
        if (const TDrawPointsEvent handler = m_onDrawPoints) {
            handler(this, canvas);
        } else {
            PaintPoints(canvas, m_increment, 3, 4);
        }
    }
}

void TSlider::PaintPoints(QPainter& canvas, int step, int tickLength, int endTickLength) {
    if (step <= 0) {
        return;
    }
    const std::int64_t travel = TravelLength();
    const std::int64_t range = std::int64_t{m_maxValue} - m_minValue;

    // Marks every k·step values, k the smallest that leaves gaps of 3 pixels or more
    // (or that leaves a single mark). Gaps only widen as k grows, and with some travel
    // they are 3 or more exactly when there are at most (travel + 3) / 4 marks, so the
    // search starts just below the k that gives that many: a wide range drawn with a
    // small step costs no more than a narrow one.
    std::int64_t k = 0;
    if (travel > 0) {
        const std::int64_t maxMarks = std::max<std::int64_t>(1, (travel + 3) / 4);
        k = std::max<std::int64_t>(0, range / (maxMarks * step) - 1);
    }
    std::int64_t gap = 0;
    do {
        ++k;
        const std::int64_t n = range / (k * step) + 1;
        gap = n > 1 ? (travel - n) / (n - 1) : travel;
    } while (gap < 3 && gap != travel);

    const QColor colour = canvas.pen().color();
    const std::int64_t stride = k * step;
    for (std::int64_t v = m_minValue; v <= m_maxValue; v += stride) {
        const int length = (v == m_minValue || v == m_maxValue) ? endTickLength : tickLength;
        const int p = PositionOfValue(static_cast<int>(v));
        if (horizontal()) {
            canvas.fillRect(QRect(p + m_thumb->width() / 2, m_pointsRect.top, 1, length), colour);
        } else {
            canvas.fillRect(QRect(m_pointsRect.left, p + m_thumb->height() / 2, length, 1), colour);
        }
    }
}
