#pragma once

// Builds pictures from layers of SVG sources. Shared parts (the header, the tab strip, the button
// face) live in one source each and are stacked here, so every background carries the same
// header and the same strip as the tab control beneath it.

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace velora::ui::artwork {

// Rasterises one source from the compiled-in resources to a transparent image of `size`.
QImage renderSvg(const char* file, QSize size);

class Canvas {
public:
    // An opaque canvas starts white; an alpha canvas starts fully transparent.
    Canvas(QSize size, bool alpha);

    // Draws the whole source scaled to `target`.
    void layer(const char* file, const QRect& target);

    // Header, the panel's own body (which carries the panel title) and the strip of `tab` at
    // the bottom rows 423..479, where the tab control covers it.
    void background(const char* body, int tab);

    // The strip with zone `active` (1..5) highlighted, filling a 320×57 canvas.
    void tabStrip(int active);

    // The round button face with `glyph` on it.
    void button(const char* glyph);

    QImage finish();

private:
    QImage image_;
    QPainter painter_;
    bool alpha_;
};

// The tab strip with zone `active` (1..5) highlighted, 320×57, opaque.
QImage tabStripImage(int active);

// Turns an antialiased thumb into the slider's keyed form: mostly-transparent pixels become the
// key colour, the rest are flattened over `matte` so no half-blended fringe is left.
QImage keyedThumb(const QImage& thumb, QRgb matte);

// Nudges any pixel that happens to equal the slider key colour, which would otherwise show as a
// hole.
void avoidKeyColour(QImage& image);

}  // namespace velora::ui::artwork
