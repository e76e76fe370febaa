// Value and position arithmetic, the write rules and the layout that re-applies Value.

#include <limits>

#include "slider_fixture.h"

namespace velora::ui::test {
namespace {

TEST_F(SliderTest, VolumeSliderPlacesThumbForValues) {
    TSlider* slider = volume();
    ASSERT_EQ(slider->TravelLength(), 203);
    struct Case {
        int value;
        int thumbLeft;
    };
    // 203 · 70 / 100 = 142.1; the ends sit at the ends of the travel.
    for (const Case c : {Case{70, 142}, Case{100, 203}, Case{0, 0}, Case{50, 102}}) {
        slider->SetValue(c.value);
        EXPECT_EQ(slider->Thumb()->x(), c.thumbLeft) << "value " << c.value;
        EXPECT_EQ(slider->PositionOfValue(c.value), c.thumbLeft) << "value " << c.value;
    }
}

TEST_F(SliderTest, ValueWritesClampAndNotifyOnlyOnChange) {
    TSlider* slider = volume();
    slider->SetValue(70);
    EXPECT_EQ(m_changes, 0);
    slider->SetValue(250);
    EXPECT_EQ(slider->Value(), 100);
    EXPECT_EQ(m_changes, 1);
    slider->SetValue(100);
    EXPECT_EQ(m_changes, 1);
    slider->SetValue(-5);
    EXPECT_EQ(slider->Value(), 0);
    EXPECT_EQ(slider->Thumb()->x(), 0);
    EXPECT_EQ(m_changes, 2);
}

TEST_F(SliderTest, StepsCountMultiplesFromZero) {
    struct Case {
        StepKind kind;
        int expected;
    };
    // Value 75 with Increment 10: Up goes to the next multiple, Down drops the
    // remainder and one step more.
    for (const Case c : {Case{StepKind::Up, 80}, Case{StepKind::Down, 60}, Case{StepKind::ToMin, 0},
                         Case{StepKind::ToMax, 100}, Case{StepKind::None, 75}}) {
        TSlider* slider = defaultSlider();
        slider->SetOptions({TSliderOption::soSmooth});
        slider->SetValue(75);
        slider->StepValue(c.kind);
        EXPECT_EQ(slider->Value(), c.expected) << static_cast<int>(c.kind);
    }
}

TEST_F(SliderTest, WritesThatWouldBreakTheControlAreIgnored) {
    TSlider* slider = defaultSlider();  // 0..100, Increment 10, 10-pixel ruler picture
    slider->SetMinValue(95);            // not below MaxValue − Increment
    EXPECT_EQ(slider->MinValue(), 0);
    slider->SetMinValue(90);
    EXPECT_EQ(slider->MinValue(), 90);
    slider->SetMaxValue(95);  // not above MinValue + Increment
    EXPECT_EQ(slider->MaxValue(), 100);
    slider->SetIncrement(0);
    slider->SetIncrement(-3);
    EXPECT_EQ(slider->Increment(), 10);
    slider->SetEdgeSize(5);  // half the ruler picture
    slider->SetEdgeSize(-1);
    EXPECT_EQ(slider->EdgeSize(), 2);
    slider->SetEdgeSize(4);
    EXPECT_EQ(slider->EdgeSize(), 4);
    slider->SetNumThumbStates(3);
    slider->SetNumThumbStates(0);
    EXPECT_EQ(slider->NumThumbStates(), 2);
    EXPECT_EQ(slider->Thumb()->width(), 9);
}

TEST_F(SliderTest, LoweredMaximumWaitsForTheNextLayout) {
    TSlider* slider = volume();
    slider->SetMaxValue(50);
    EXPECT_EQ(slider->MaxValue(), 50);
    EXPECT_EQ(slider->Value(), 70);
    EXPECT_EQ(slider->Thumb()->x(), 142);
    EXPECT_EQ(m_changes, 0);

    slider->resize(218, 14);
    EXPECT_EQ(slider->Value(), 50);
    EXPECT_EQ(slider->Thumb()->x(), 203);
    EXPECT_EQ(m_changes, 1);
}

TEST_F(SliderTest, IncrementWriteSnapsTheThumb) {
    TSlider* slider = volume();
    // Value 70 stays; the thumb snaps down to the whole step below it, 50
    // (203 · 50 / 100 = 101.5, rounded to even).
    slider->SetIncrement(25);
    EXPECT_EQ(slider->Value(), 70);
    EXPECT_EQ(slider->Thumb()->x(), 102);
    EXPECT_EQ(m_changes, 0);
}

TEST_F(SliderTest, VerticalSliderPutsLargerValuesHigher) {
    TSlider* slider = defaultSlider();
    slider->SetOrientation(TSliderOrientation::soVertical);
    slider->resize(40, 140);
    // Vertical thumb 17 × 9 over an 8-pixel ruler: travel 140 − 9.
    ASSERT_EQ(slider->TravelLength(), 131);
    EXPECT_EQ(slider->Thumb()->size(), QSize(17, 9));
    EXPECT_EQ(slider->RulerOrigin(), QPoint(4, 0));
    EXPECT_EQ(slider->PositionOfValue(100), 0);
    EXPECT_EQ(slider->PositionOfValue(0), 131);
    EXPECT_EQ(slider->PositionOfValue(30), 131 - 39);  // 131 · 0.3 = 39.3
    EXPECT_EQ(slider->ValueAtPosition(0), 100);
    EXPECT_EQ(slider->ValueAtPosition(131), 0);
    EXPECT_EQ(slider->ValueAtPosition(92), 30);
    slider->SetValue(30);
    EXPECT_EQ(slider->Thumb()->pos(), QPoint(0, 92));
}

TEST_F(SliderTest, NoTravelKeepsTheThumbAtTheStart) {
    TSlider* slider = defaultSlider();
    slider->resize(6, 40);  // narrower than the 9-pixel thumb
    EXPECT_LT(slider->TravelLength(), 0);
    EXPECT_EQ(slider->Thumb()->x(), 0);
    EXPECT_EQ(slider->ValueAtPosition(3), 0);
    slider->SetValue(60);
    EXPECT_EQ(slider->Value(), 60);
    EXPECT_EQ(slider->Thumb()->x(), 0);
    slider->resize(9, 40);  // exactly the thumb: no travel either
    EXPECT_EQ(slider->TravelLength(), 0);
    EXPECT_EQ(slider->Thumb()->x(), 0);
}

TEST_F(SliderTest, ExtremeRangesStayOnTheRuler) {
    TSlider* slider = volume();
    constexpr int kLow = std::numeric_limits<int>::min();
    constexpr int kHigh = std::numeric_limits<int>::max();
    slider->SetMinValue(kLow);
    slider->SetMaxValue(kHigh);
    slider->SetIncrement(kHigh);
    for (int value : {kLow, -1, 0, kHigh}) {
        slider->SetValue(value);
        EXPECT_GE(slider->Thumb()->x(), 0) << value;
        EXPECT_LE(slider->Thumb()->x(), 203) << value;
    }
    slider->StepValue(StepKind::Up);
    EXPECT_EQ(slider->Value(), kHigh);
    // The far end is MinValue plus two whole increments, the last step in the range.
    EXPECT_EQ(slider->ValueAtPosition(203), kHigh - 1);
}

}  // namespace
}  // namespace velora::ui::test
