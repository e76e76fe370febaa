#pragma once
// Drawing with a key colour: the pictures of the slider mark their transparent pixels
// with one colour instead of an alpha channel.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>

// Copies `image` at its natural size with its top-left corner at (x, y). Pixels whose
// colour (red, green, blue) equals `keyColour` are not drawn and leave the canvas as it
// was; every other pixel is drawn as it is. A null image draws nothing.
void DrawKeyed(QPainter& canvas, int x, int y, const QImage& image, QRgb keyColour);

// As DrawKeyed, for the part `source` of `image` only. A source rectangle reaching past
// the image is cut to it; what is left still lands at (x, y) plus the part that was
// cut off the left and top, so the picture does not shift.
void DrawKeyedPart(QPainter& canvas, int x, int y, const QRect& source, const QImage& image,
                   QRgb keyColour);

namespace velora::ui {

// `image` (or its part `source`, cut to the image) converted to ARGB32 with the
// key-coloured pixels made fully transparent.
QImage keyedCopy(const QImage& image, const QRect& source, QRgb keyColour);

}  // namespace velora::ui
