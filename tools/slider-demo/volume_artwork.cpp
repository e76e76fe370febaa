#include "tools/slider-demo/volume_artwork.h"

#include <QPainter>
#include <QRadialGradient>

#include "ui/slider/slider_types.h"

namespace velora::demo {
namespace {

// A round knob of 13 pixels on the olive key colour. Antialiasing is off at the rim so
// no half-olive pixel is left that the key colour would not remove.
void drawKnob(QPainter& painter, int left, bool pressed) {
    QRadialGradient light(left + 5.0, 4.0, 9.0);
    light.setColorAt(0.0, pressed ? QColor(255, 214, 150) : QColor(255, 255, 255));
    light.setColorAt(1.0, pressed ? QColor(214, 120, 20) : QColor(150, 160, 175));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(40, 44, 52));
    painter.setBrush(light);
    painter.drawEllipse(QRect(left + 1, 0, 12, 12));
}

}  // namespace

QImage volumeThumbArtwork() {
    QImage image(30, 13, QImage::Format_RGB888);
    image.fill(QColor::fromRgb(velora::ui::kSliderKeyColour));
    QPainter painter(&image);
    drawKnob(painter, 0, false);
    drawKnob(painter, 15, true);
    return image;
}

QImage volumeTrackArtwork() {
    // The player face behind the track is dark; the track covers the whole control,
    // so it paints its own background and holds no key-coloured pixel. The slider
    // stretches it by repeating everything between its 2-pixel ends, so the middle is
    // the same in every column and the rounded ends fit inside those 2 pixels.
    QImage image(214, 14, QImage::Format_RGB888);
    image.fill(QColor(28, 30, 36));
    const QColor rows[] = {
        QColor(8, 9, 12),       // shadow above the groove
        QColor(0, 120, 170),    // the level, lighter towards its lower edge
        QColor(30, 160, 210),   //
        QColor(70, 190, 235),   //
        QColor(110, 210, 250),  //
        QColor(70, 76, 90),     // light below the groove
    };
    constexpr int kTop = 4;
    QPainter painter(&image);
    for (int row = 0; row < 6; ++row) {
        // The outermost columns leave the corners out: a rounded end.
        const bool corner = row == 0 || row == 5;
        const int left = corner ? 1 : 0;
        const int right = corner ? 212 : 213;
        painter.fillRect(QRect(left, kTop + row, right - left + 1, 1), rows[row]);
    }
    return image;
}

}  // namespace velora::demo
