// What a slider looks like: tick marks, key-colour transparency, the thumb's states.

#include <QPainter>
#include <cmath>
#include <set>
#include <vector>

#include "slider_fixture.h"

namespace velora::ui::test {
namespace {

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 100;
}

bool olive(QRgb pixel) {
    return (pixel & RGB_MASK) == (kSliderKeyColour & RGB_MASK);
}

struct TickCase {
    const char* name;
    bool volumeSized;
    std::vector<int> values;   // values that get a mark
    std::vector<int> columns;  // where, in the same order
};

TickCase volumeTicks() {
    // Range 0..100 in steps of 1 over 203 pixels: every second value (k = 2), each at
    // its rounded position plus half the 15-pixel thumb.
    TickCase c{"volume", true, {}, {}};
    for (int v = 0; v <= 100; v += 2) {
        c.values.push_back(v);
        c.columns.push_back(static_cast<int>(std::nearbyint(203.0 * v / 100.0)) + 7);
    }
    return c;
}

TEST_F(SliderTest, TickMarksSpreadAtLeastThreePixelsApart) {
    const TickCase cases[] = {
        volumeTicks(),
        // Default slider: every 10 over 131 pixels, 65.5 rounding to 66 at 50.
        {"default",
         false,
         {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100},
         {4, 17, 30, 43, 56, 70, 83, 96, 109, 122, 135}},
    };
    for (const TickCase& c : cases) {
        TSlider* slider = nullptr;
        if (c.volumeSized) {
            slider = volume();
            slider->resize(218, 24);
        } else {
            slider = defaultSlider();
        }
        slider->SetOptions({TSliderOption::soShowPoints});
        slider->SetColor(Qt::white);
        const QImage image = slider->grab().toImage();
        const int top = slider->PointsRect().top;

        std::set<int> marked;
        for (int x = 0; x < image.width(); ++x) {
            if (dark(image, x, top)) {
                marked.insert(x);
            }
        }
        EXPECT_EQ(marked, std::set<int>(c.columns.begin(), c.columns.end())) << c.name;
        for (std::size_t i = 0; i < c.columns.size(); ++i) {
            const bool end = i == 0 || i + 1 == c.columns.size();
            const int length = end ? 4 : 3;
            const int x = c.columns[i];
            EXPECT_TRUE(dark(image, x, top + length - 1)) << c.name << " value " << c.values[i];
            EXPECT_FALSE(dark(image, x, top + length)) << c.name << " value " << c.values[i];
        }
        slider->hide();
    }
}

TEST_F(SliderTest, DrawPointsHandlerReplacesTheBuiltInMarks) {
    TSlider* slider = defaultSlider();
    slider->SetOptions({TSliderOption::soShowPoints});
    slider->SetColor(Qt::white);
    int calls = 0;
    slider->SetOnDrawPoints([&calls](TSlider*, QPainter& canvas) {
        ++calls;
        canvas.fillRect(QRect(50, 30, 2, 2), Qt::black);
    });
    const QImage image = slider->grab().toImage();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(dark(image, 4, slider->PointsRect().top));
    EXPECT_TRUE(dark(image, 50, 30));
}

TEST_F(SliderTest, KeyColourShowsWhatLiesBeneath) {
    TSlider* slider = defaultSlider();
    slider->SetOptions({});
    slider->SetColor(Qt::white);
    const QImage image = slider->grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_FALSE(olive(image.pixel(x, y))) << x << "," << y;
        }
    }
    // Above the groove and beside the thumb's point: the background.
    EXPECT_EQ(image.pixel(60, 1), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(0, 16), QColor(Qt::white).rgb());
    // The groove itself is drawn, the full length of the control.
    EXPECT_TRUE(dark(image, 60, 7));
    EXPECT_TRUE(dark(image, 138, 7));
}

TEST_F(SliderTest, ThumbShowsItsPressedStateOverTheRuler) {
    TSlider* slider = volume();  // thumb at 142
    const QRgb normal = qRgb(0, 0, 200);
    const QRgb pressed = qRgb(200, 0, 0);
    const QRgb rulerAt142 = qRgb(142, 60, 90);

    QImage image = slider->grab().toImage();
    EXPECT_EQ(image.pixel(150, 6), normal);
    EXPECT_EQ(image.pixel(142, 0), rulerAt142) << "the thumb's key pixel shows the ruler";
    EXPECT_EQ(image.pixel(141, 6), qRgb(141, 60, 90));

    QTest::mousePress(slider->Thumb(), Qt::LeftButton, {}, QPoint(5, 6));
    image = slider->grab().toImage();
    EXPECT_EQ(image.pixel(150, 6), pressed);
    EXPECT_EQ(image.pixel(142, 0), rulerAt142);

    QTest::mouseRelease(slider->Thumb(), Qt::LeftButton, {}, QPoint(5, 6));
    image = slider->grab().toImage();
    EXPECT_EQ(image.pixel(150, 6), normal);
}

}  // namespace
}  // namespace velora::ui::test
