#include "ui/slider/default_art.h"

#include <array>
#include <string_view>

#include "ui/slider/slider_types.h"

namespace velora::ui {
namespace {

// Pixel maps, one character per pixel:
//   '.' olive key colour (not drawn)   '#' black   'd' dark grey   'l' silver
//   'w' white   'f' pressed face, a silver/white checker as 16-colour pictures shade it
// The vertical pictures are the horizontal ones mirrored over the diagonal, so left
// and top highlights stay on the lit side and the thumb points right instead of down.

// Horizontal thumb, normal state: a raised button pointing down at the ruler, with a
// double grip line in the middle.
constexpr std::array<std::string_view, 17> kThumbNormal = {
    "wwwwwwww#",  //
    "wlllllld#",  //
    "wlllllld#",  //
    "wlllllld#",  //
    "wlldwlld#",  //
    "wlldwlld#",  //
    "wlldwlld#",  //
    "wlldwlld#",  //
    "wlldwlld#",  //
    "wlllllld#",  //
    "wlllllld#",  //
    "wlllllld#",  //
    "wlllllld#",  //
    ".wllllld#",  //
    "..wllld#.",  //
    "...wld#..",  //
    "....#....",  //
};

// Horizontal thumb, pressed state: the same outline sunk in, lit from the other side,
// with the grip moved one pixel down and right as a pressed button's face moves.
constexpr std::array<std::string_view, 17> kThumbPressed = {
    "########w",  //
    "#dffffflw",  //
    "#dffffflw",  //
    "#dffffflw",  //
    "#dffffflw",  //
    "#dffdwflw",  //
    "#dffdwflw",  //
    "#dffdwflw",  //
    "#dffdwflw",  //
    "#dffdwflw",  //
    "#dffffflw",  //
    "#dffffflw",  //
    "#dffffflw",  //
    ".#dffflw.",  //
    "..#fflw..",  //
    "...#lw...",  //
    "....w....",  //
};

// Horizontal ruler: a sunken groove with rounded ends. Columns 2..7 are identical, so
// repeating the middle of the picture gives a seamless groove of any length.
constexpr std::array<std::string_view, 10> kRuler = {
    "..........",  //
    "..........",  //
    "..........",  //
    ".dddddddd.",  //
    "d########w",  //
    "d#lllllllw",  //
    ".wwwwwwww.",  //
    "..........",  //
    "..........",  //
    "..........",  //
};

template <std::size_t N>
QImage fromPixelMap(const std::array<std::string_view, N>& rows) {
    const int width = static_cast<int>(rows[0].size());
    QImage image(width, static_cast<int>(N), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const std::string_view row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x) {
            QRgb colour = kSliderKeyColour;
            switch (row[static_cast<std::size_t>(x)]) {
                case '#':
                    colour = qRgb(0, 0, 0);
                    break;
                case 'd':
                    colour = qRgb(128, 128, 128);
                    break;
                case 'l':
                    colour = qRgb(192, 192, 192);
                    break;
                case 'w':
                    colour = qRgb(255, 255, 255);
                    break;
                case 'f':
                    colour = (x + y) % 2 == 0 ? qRgb(192, 192, 192) : qRgb(255, 255, 255);
                    break;
                default:
                    break;
            }
            image.setPixel(x, y, colour);
        }
    }
    return image;
}

QImage mirroredOverDiagonal(const QImage& source) {
    QImage result(source.height(), source.width(), source.format());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            result.setPixel(y, x, source.pixel(x, y));
        }
    }
    return result;
}

QImage sideBySide(const QImage& left, const QImage& right) {
    QImage result(left.width() + right.width(), left.height(), QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            result.setPixel(x, y, left.pixel(x, y));
        }
        for (int x = 0; x < right.width(); ++x) {
            result.setPixel(left.width() + x, y, right.pixel(x, y));
        }
    }
    return result;
}

std::array<QImage, kSliderImageCount> makeDefaults() {
    const QImage normal = fromPixelMap(kThumbNormal);
    const QImage pressed = fromPixelMap(kThumbPressed);
    const QImage ruler = fromPixelMap(kRuler);
    // The vertical ruler is narrower across than the horizontal one: the empty margins
    // beside its groove are two pixels each instead of three.
    const QImage verticalRuler = mirroredOverDiagonal(ruler).copy(1, 0, 8, 10);
    return {
        sideBySide(normal, pressed),
        ruler,
        sideBySide(mirroredOverDiagonal(normal), mirroredOverDiagonal(pressed)),
        verticalRuler,
    };
}

}  // namespace

QImage defaultSliderImage(int index) {
    static const std::array<QImage, kSliderImageCount> defaults = makeDefaults();
    if (index < 0 || index >= kSliderImageCount) {
        return {};
    }
    return defaults[static_cast<std::size_t>(index)];
}

}  // namespace velora::ui
