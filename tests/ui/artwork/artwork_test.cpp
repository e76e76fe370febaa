#include "ui/artwork/artwork.h"

#include <gtest/gtest.h>

#include <QSet>

namespace velora::ui::artwork {
namespace {

struct Expected {
    Picture id;
    QSize size;
    bool alpha;
};

// The sizes the window's controls are laid out for; a picture of another size would be cut or
// leave a gap.
const Expected kExpected[] = {
    {Picture::Image1, {320, 480}, false},    {Picture::Image14, {320, 480}, false},
    {Picture::Image15, {320, 480}, false},   {Picture::Image2, {320, 480}, false},
    {Picture::Image19, {320, 480}, false},   {Picture::Tab1, {320, 57}, false},
    {Picture::Tab2, {320, 57}, false},       {Picture::Tab3, {320, 57}, false},
    {Picture::Tab4, {320, 57}, false},       {Picture::Tab5, {320, 57}, false},
    {Picture::PlayFace, {97, 97}, true},     {Picture::StopFace, {97, 97}, true},
    {Picture::Image5, {11, 22}, false},      {Picture::Image18, {11, 21}, false},
    {Picture::VolumeThumb, {30, 13}, false}, {Picture::VolumeTrack, {214, 14}, false},
    {Picture::Image17, {145, 58}, true},     {Picture::Image4, {277, 53}, true},
    {Picture::Image6, {277, 53}, true},      {Picture::Image7, {277, 53}, true},
    {Picture::Image8, {276, 70}, true},      {Picture::Image10, {30, 30}, true},
    {Picture::Image12, {30, 30}, true},      {Picture::Image13, {320, 39}, false},
    {Picture::Image16, {320, 77}, false},
};

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

TEST(Artwork, EveryPictureHasItsSizeFormatAndContent) {
    ASSERT_EQ(allPictures().size(), std::size(kExpected));
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(pictureName(e.id));
        const QImage image = picture(e.id);
        EXPECT_EQ(image.size(), e.size);
        EXPECT_EQ(hasAlpha(e.id), e.alpha);
        if (e.alpha) {
            EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
            // Rounded shapes leave their corners see-through.
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        } else {
            EXPECT_FALSE(image.hasAlphaChannel());
        }
        EXPECT_GT(distinctColours(image), 3);
    }
}

TEST(Artwork, TabStripsDifferOnlyInTheirHighlightedZone) {
    const QImage tab1 = picture(Picture::Tab1);
    const QImage tab3 = picture(Picture::Tab3);
    const auto zoneDiffers = [&](int zone) {
        for (int y = 0; y < tab1.height(); ++y) {
            for (int x = (zone - 1) * 64; x < zone * 64; ++x) {
                if (tab1.pixel(x, y) != tab3.pixel(x, y)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(zoneDiffers(1));
    EXPECT_FALSE(zoneDiffers(2));
    EXPECT_TRUE(zoneDiffers(3));
    EXPECT_FALSE(zoneDiffers(4));
    EXPECT_FALSE(zoneDiffers(5));
}

TEST(Artwork, BackgroundsCarryTheirTabStripWhereTheTabControlLies) {
    const std::pair<Picture, Picture> cases[] = {
        {Picture::Image1, Picture::Tab1},  {Picture::Image14, Picture::Tab2},
        {Picture::Image15, Picture::Tab3}, {Picture::Image2, Picture::Tab4},
        {Picture::Image19, Picture::Tab5},
    };
    for (const auto& [background, tab] : cases) {
        SCOPED_TRACE(pictureName(background));
        EXPECT_TRUE(picture(background).copy(0, 423, 320, 57) == picture(tab));
    }
}

TEST(Artwork, VolumeThumbUsesTheKeyColourOnlyAroundItsTwoStates) {
    const QImage thumb = picture(Picture::VolumeThumb);
    // Corners of both states are see-through, centres are drawn.
    for (int left : {0, 15}) {
        EXPECT_EQ(thumb.pixel(left, 0), kSliderKeyColour);
        EXPECT_NE(thumb.pixel(left + 7, 6), kSliderKeyColour);
    }
    const QImage track = picture(Picture::VolumeTrack);
    for (int y = 0; y < track.height(); ++y) {
        for (int x = 0; x < track.width(); ++x) {
            ASSERT_NE(track.pixel(x, y), kSliderKeyColour) << x << "," << y;
        }
    }
}

TEST(Artwork, AppIconHasTheDesktopSizes) {
    const QIcon icon = appIcon();
    for (int size : {16, 32, 48, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
}

}  // namespace
}  // namespace velora::ui::artwork
