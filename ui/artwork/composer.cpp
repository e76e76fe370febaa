#include "ui/artwork/composer.h"

#include <QSvgRenderer>
#include <stdexcept>

#include "ui/artwork/artwork.h"

namespace velora::ui::artwork {
namespace {

constexpr int kHeaderHeight = 60;
constexpr int kStripTop = 423;
constexpr QSize kStripSize{320, 57};
constexpr int kZoneWidth = 64;

QString resourcePath(const char* file) {
    return QStringLiteral(":/velora/artwork/svg/") + QString::fromLatin1(file);
}

void drawSvg(QPainter& painter, const char* file, const QRectF& target) {
    QSvgRenderer renderer(resourcePath(file));
    if (!renderer.isValid()) {
        // A missing or broken source is a build fault, not a run-time condition.
        throw std::logic_error(std::string("artwork source not valid: ") + file);
    }
    renderer.render(&painter, target);
}

}  // namespace

QImage renderSvg(const char* file, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawSvg(painter, file, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

Canvas::Canvas(QSize size, bool alpha)
    : image_(size, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32),
      alpha_(alpha) {
    image_.fill(alpha ? Qt::transparent : Qt::white);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
}

void Canvas::layer(const char* file, const QRect& target) {
    drawSvg(painter_, file, target);
}

void Canvas::background(const char* body, int tab) {
    // The bar goes first: each body leaves the header rows clear except for its panel title,
    // which lands on top of the bar.
    layer("header.svg", QRect(0, 0, image_.width(), kHeaderHeight));
    layer(body, image_.rect());
    // Pasted rather than drawn in place: text rasterised at another offset can differ in its
    // last bit, and the strip must match the tab control that covers it pixel for pixel.
    painter_.drawImage(QPoint(0, kStripTop), tabStripImage(tab));
}

void Canvas::tabStrip(int active) {
    layer("tab_strip.svg", QRect(QPoint(0, 0), kStripSize));
    for (int zone = 1; zone <= 5; ++zone) {
        const QRect zoneRect((zone - 1) * kZoneWidth, 0, kZoneWidth, kStripSize.height());
        layer(zone == active ? "tab_zone_active.svg" : "tab_zone_dim.svg", zoneRect);
    }
}

QImage tabStripImage(int active) {
    Canvas canvas(kStripSize, false);
    canvas.tabStrip(active);
    return canvas.finish();
}

void Canvas::button(const char* glyph) {
    layer("button_face.svg", image_.rect());
    layer(glyph, image_.rect());
}

QImage Canvas::finish() {
    painter_.end();
    return alpha_ ? image_ : image_.convertToFormat(QImage::Format_RGB32);
}

QImage keyedThumb(const QImage& thumb, QRgb matte) {
    QImage out(thumb.size(), QImage::Format_RGB32);
    const QImage src = thumb.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb p = src.pixel(x, y);
            const int a = qAlpha(p);
            if (a < 128) {
                out.setPixel(x, y, kSliderKeyColour);
                continue;
            }
            const auto mix = [a](int fg, int bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
            out.setPixel(x, y,
                         qRgb(mix(qRed(p), qRed(matte)), mix(qGreen(p), qGreen(matte)),
                              mix(qBlue(p), qBlue(matte))));
        }
    }
    return out;
}

void avoidKeyColour(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) | 0xFF000000) == kSliderKeyColour) {
                image.setPixel(x, y, qRgb(129, 128, 0));
            }
        }
    }
}

}  // namespace velora::ui::artwork
