// Default pictures, the composed ruler and the layout of the parts.

#include "slider_fixture.h"
#include "ui/slider/default_art.h"
#include "ui/slider/keyed_draw.h"

namespace velora::ui::test {
namespace {

// Whether column `x` of `composed` equals column `column` of `picture`.
bool sameColumn(const QImage& composed, int x, const QImage& picture, int column) {
    for (int y = 0; y < picture.height(); ++y) {
        if ((composed.pixel(x, y) & RGB_MASK) != (picture.pixel(column, y) & RGB_MASK)) {
            return false;
        }
    }
    return true;
}

TEST_F(SliderTest, DefaultPicturesHaveTheirSizesAndKeyBackground) {
    const QSize sizes[] = {{18, 17}, {10, 10}, {34, 9}, {8, 10}};
    for (int index = 0; index < kSliderImageCount; ++index) {
        const QImage picture = defaultSliderImage(index);
        EXPECT_EQ(picture.size(), sizes[index]) << index;
        int keyPixels = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                keyPixels += (picture.pixel(x, y) & RGB_MASK) == (kSliderKeyColour & RGB_MASK);
            }
        }
        EXPECT_GT(keyPixels, 0) << index;
    }
    // The thumbs hold two different states side by side.
    for (int index : {kImageHThumb, kImageVThumb}) {
        const QImage picture = defaultSliderImage(index);
        const int half = picture.width() / 2;
        EXPECT_NE(picture.copy(0, 0, half, picture.height()),
                  picture.copy(half, 0, half, picture.height()))
            << index;
    }
}

TEST_F(SliderTest, DefaultSliderLayout) {
    TSlider* slider = defaultSlider();
    EXPECT_EQ(slider->size(), QSize(140, 40));
    EXPECT_EQ(slider->Thumb()->geometry(), QRect(0, 0, 9, 17));
    EXPECT_EQ(slider->RulerOrigin(), QPoint(0, 3));
    EXPECT_EQ(slider->PointsRect(), (TSliderRect{0, 18, 140, 39}));
    EXPECT_EQ(slider->TravelLength(), 131);
    EXPECT_EQ(slider->Options(), TSliderOptions::all());
    EXPECT_EQ(slider->UserImages().toByte(), 0);
    EXPECT_EQ(slider->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(slider->Thumb()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(SliderTest, DefaultRulerRepeatsTheMiddleOfThePicture) {
    TSlider* slider = defaultSlider();
    const QImage& ruler = slider->RulerBitmap();
    const QImage picture = slider->ImageHRuler();
    ASSERT_EQ(ruler.size(), QSize(140, 10));
    // Columns 0–7 of the picture, 21 copies of columns 2–7, then columns 4–9.
    for (int x = 0; x < 8; ++x) {
        EXPECT_TRUE(sameColumn(ruler, x, picture, x)) << x;
    }
    for (int copy = 0; copy < 21; ++copy) {
        for (int column = 2; column < 8; ++column) {
            const int x = 8 + copy * 6 + column - 2;
            EXPECT_TRUE(sameColumn(ruler, x, picture, column)) << x;
        }
    }
    for (int column = 4; column < 10; ++column) {
        EXPECT_TRUE(sameColumn(ruler, 134 + column - 4, picture, column)) << column;
    }
}

TEST_F(SliderTest, VolumeRulerEndsWithThePictureEnd) {
    TSlider* slider = volume();
    const QImage& ruler = slider->RulerBitmap();
    ASSERT_EQ(ruler.size(), QSize(218, 14));
    // Picture columns 0–211, then 208–213.
    for (int x = 0; x < 212; ++x) {
        ASSERT_EQ(sourceColumn(ruler, x), x) << x;
    }
    for (int x = 212; x < 218; ++x) {
        EXPECT_EQ(sourceColumn(ruler, x), x - 4) << x;
    }
    EXPECT_EQ(slider->Thumb()->geometry(), QRect(142, 0, 15, 13));
    EXPECT_EQ(slider->RulerOrigin(), QPoint(0, 0));
}

TEST_F(SliderTest, ShortControlShowsNoEndEdge) {
    TSlider* slider = volume();
    slider->resize(100, 13);  // shorter than the 214-pixel picture
    const QImage& ruler = slider->RulerBitmap();
    ASSERT_EQ(ruler.width(), 100);
    EXPECT_EQ(sourceColumn(ruler, 0), 0);
    EXPECT_EQ(sourceColumn(ruler, 99), 99);
}

TEST_F(SliderTest, EmptyRulerMiddleShowsThePictureOnce) {
    TSlider* slider = defaultSlider();
    slider->SetEdgeSize(4);  // fine for the 10-pixel horizontal ruler picture
    // An 8-pixel vertical ruler picture has no middle left with edges of 4.
    QImage vertical(8, 8, QImage::Format_RGB32);
    vertical.fill(qRgb(10, 20, 30));
    slider->SetImageVRuler(vertical);
    slider->SetOrientation(TSliderOrientation::soVertical);
    slider->resize(40, 140);
    const QImage& ruler = slider->RulerBitmap();
    ASSERT_EQ(ruler.size(), QSize(8, 140));
    EXPECT_EQ(ruler.pixel(3, 7) & RGB_MASK, qRgb(10, 20, 30) & RGB_MASK);
    // Below the picture the ruler is left to the key colour, which is not drawn.
    EXPECT_EQ(ruler.pixel(3, 8) & RGB_MASK, kSliderKeyColour & RGB_MASK);
    EXPECT_EQ(slider->TravelLength(), 131);
    slider->SetValue(50);
    EXPECT_EQ(slider->Thumb()->y(), 140 - 9 - 66);  // 131 · 0.5 = 65.5 → 66
}

TEST_F(SliderTest, ImageSlotsTrackUserPictures) {
    TSlider* slider = defaultSlider();
    QImage thumb(20, 6, QImage::Format_RGB32);
    thumb.fill(Qt::green);
    slider->SetImageHThumb(thumb);
    EXPECT_TRUE(slider->IsUserImage(kImageHThumb));
    EXPECT_EQ(slider->Thumb()->size(), QSize(10, 6));
    // A thumb lower than the 10-pixel ruler is centred on it.
    EXPECT_EQ(slider->RulerOrigin(), QPoint(0, 0));
    EXPECT_EQ(slider->Thumb()->y(), 2);
    EXPECT_EQ(slider->PointsRect().top, 11);
    thumb.fill(Qt::red);  // the slot holds its own copy
    EXPECT_EQ(slider->ImageHThumb().pixel(0, 0), QColor(Qt::green).rgb());

    slider->SetImageHThumb(QImage());
    EXPECT_FALSE(slider->IsUserImage(kImageHThumb));
    EXPECT_EQ(slider->ImageHThumb(), defaultSliderImage(kImageHThumb));
    EXPECT_EQ(slider->Thumb()->size(), QSize(9, 17));

    // Only the current orientation's thumb slot reaches the thumb.
    QImage verticalThumb(30, 30, QImage::Format_RGB32);
    verticalThumb.fill(Qt::blue);
    slider->SetImageVThumb(verticalThumb);
    EXPECT_EQ(slider->Thumb()->size(), QSize(9, 17));
    EXPECT_EQ(slider->UserImages().toByte(), 1 << kImageVThumb);
}

TEST(KeyedDrawing, KeyPixelsLeaveTheCanvasAndPartsAreCut) {
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    picture.setPixel(1, 0, kSliderKeyColour);
    QImage canvasImage(6, 3, QImage::Format_RGB32);
    canvasImage.fill(Qt::white);
    {
        QPainter canvas(&canvasImage);
        // The part reaches past the picture on the right: it is cut to columns 1–3.
        DrawKeyedPart(canvas, 2, 1, QRect(1, 0, 10, 2), picture, kSliderKeyColour);
    }
    const QRgb white = QColor(Qt::white).rgb();
    EXPECT_EQ(canvasImage.pixel(2, 1), white);  // picture (1, 0) is the key colour
    EXPECT_EQ(canvasImage.pixel(3, 1), qRgb(1, 2, 3));
    EXPECT_EQ(canvasImage.pixel(4, 1), qRgb(1, 2, 3));
    EXPECT_EQ(canvasImage.pixel(2, 2), qRgb(1, 2, 3));
    EXPECT_EQ(canvasImage.pixel(5, 1), white);  // nothing beyond the picture
    EXPECT_EQ(canvasImage.pixel(1, 1), white);
}

}  // namespace
}  // namespace velora::ui::test
