// Building a slider from its stored form.

#include "slider_fixture.h"

namespace velora::ui::test {
namespace {

TEST_F(SliderTest, VolumeSliderFromItsForm) {
    TSlider* slider = volume();
    EXPECT_EQ(slider->objectName(), QStringLiteral("Slider_volume"));
    EXPECT_EQ(slider->geometry(), QRect(51, 369, 218, 13));
    EXPECT_EQ(slider->Orientation(), TSliderOrientation::soHorizontal);
    EXPECT_TRUE(slider->Options().empty());
    EXPECT_EQ(slider->NumThumbStates(), 2);
    EXPECT_EQ(slider->Increment(), 1);
    EXPECT_EQ(slider->MinValue(), 0);
    EXPECT_EQ(slider->MaxValue(), 100);
    EXPECT_EQ(slider->Value(), 70);
    EXPECT_FALSE(slider->Color().isValid());
    EXPECT_EQ(slider->UserImages().toByte(), 0b11);
    EXPECT_EQ(slider->ImageHThumb(), volumeThumbPicture());
    EXPECT_EQ(slider->Thumb()->geometry(), QRect(142, 0, 15, 13));
    EXPECT_EQ(slider->RulerBitmap().width(), 218);
    EXPECT_EQ(slider->TravelLength(), 203);
}

TEST_F(SliderTest, FormWithoutPicturesIsLaidOutAtItsOwnSize) {
    // The host is already shown, so the size change happens (and is held back) while
    // the form is read; the layout afterwards must still use it.
    auto* slider = new TSlider(m_host.get());  // owned by the host
    slider->show();
    TSliderForm form;
    form.Options = TSliderOptions{};
    form.Value = 50;
    form.Bounds = QRect(0, 100, 200, 30);
    slider->LoadStoredForm(form);
    EXPECT_EQ(slider->RulerBitmap().width(), 200);
    EXPECT_EQ(slider->TravelLength(), 191);
    EXPECT_EQ(slider->Thumb()->x(), 96);  // 191 · 0.5 = 95.5
}

TEST_F(SliderTest, FormValuesGoThroughTheWriteRules) {
    auto* slider = new TSlider(m_host.get());  // owned by the host
    TSliderForm form;
    form.Increment = 20;
    form.MinValue = 90;  // above MaxValue − Increment: ignored, as a direct write is
    form.Value = 250;    // clamped
    form.EdgeSize = 7;   // too large for the 10-pixel ruler picture
    slider->LoadStoredForm(form);
    EXPECT_EQ(slider->MinValue(), 0);
    EXPECT_EQ(slider->Value(), 100);
    EXPECT_EQ(slider->EdgeSize(), 2);
}

}  // namespace
}  // namespace velora::ui::test
