#include "ui/slider/keyed_draw.h"

namespace velora::ui {

QImage keyedCopy(const QImage& image, const QRect& source, QRgb keyColour) {
    const QRect part = source.intersected(image.rect());
    if (part.isEmpty()) {
        return {};
    }
    QImage keyed = image.copy(part).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyColour & RGB_MASK;
    for (int row = 0; row < keyed.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(row));
        for (int column = 0; column < keyed.width(); ++column) {
            if ((line[column] & RGB_MASK) == key) {
                line[column] = 0;
            }
        }
    }
    return keyed;
}

}  // namespace velora::ui

void DrawKeyed(QPainter& canvas, int x, int y, const QImage& image, QRgb keyColour) {
    DrawKeyedPart(canvas, x, y, image.rect(), image, keyColour);
}

void DrawKeyedPart(QPainter& canvas, int x, int y, const QRect& source, const QImage& image,
                   QRgb keyColour) {
    const QRect part = source.intersected(image.rect());
    const QImage keyed = velora::ui::keyedCopy(image, part, keyColour);
    if (keyed.isNull()) {
        return;
    }
    canvas.drawImage(x + (part.left() - source.left()), y + (part.top() - source.top()), keyed);
}
