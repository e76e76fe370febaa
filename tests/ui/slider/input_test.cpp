// Keys, the thumb drag and the ruler press with its repeat, driven by Qt Test events.

#include <QKeyEvent>
#include <QPushButton>

#include "slider_fixture.h"

namespace velora::ui::test {
namespace {

// Counts the presses of one key that reach a widget (those its children passed on).
class KeyCounter : public QObject {
public:
    int key = 0;
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            presses += static_cast<QKeyEvent*>(event)->key() == key;
        }
        return false;
    }
};

TEST_F(SliderTest, KeysStepTheValue) {
    struct Case {
        TSliderOrientation orientation;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expected;  // from 70 horizontal, from 50 vertical
        bool passedOn;
    };
    constexpr auto kH = TSliderOrientation::soHorizontal;
    constexpr auto kV = TSliderOrientation::soVertical;
    const Case cases[] = {
        {kH, Qt::Key_Left, Qt::NoModifier, 69, false},
        {kH, Qt::Key_Right, Qt::NoModifier, 71, false},
        {kH, Qt::Key_End, Qt::NoModifier, 100, false},
        {kH, Qt::Key_Home, Qt::NoModifier, 0, false},
        {kH, Qt::Key_Left, Qt::ShiftModifier, 70, true},
        {kH, Qt::Key_Right, Qt::ControlModifier, 70, true},
        {kH, Qt::Key_Home, Qt::AltModifier, 70, true},
        {kH, Qt::Key_Up, Qt::NoModifier, 70, true},
        {kH, Qt::Key_Down, Qt::NoModifier, 70, true},
        {kH, Qt::Key_PageUp, Qt::NoModifier, 70, true},
        {kV, Qt::Key_Up, Qt::NoModifier, 60, false},
        {kV, Qt::Key_Down, Qt::NoModifier, 40, false},
        {kV, Qt::Key_Left, Qt::NoModifier, 50, true},
    };
    KeyCounter parentKeys;
    m_host->installEventFilter(&parentKeys);
    for (const Case& c : cases) {
        TSlider* slider = nullptr;
        if (c.orientation == kH) {
            slider = volume();
        } else {
            slider = defaultSlider();
            slider->SetOrientation(kV);
            slider->resize(40, 140);
            slider->SetValue(50);
        }
        const int start = slider->Value();
        m_changes = 0;
        parentKeys.key = c.key;
        parentKeys.presses = 0;
        QTest::keyClick(slider, c.key, c.modifiers);
        const auto trace = ::testing::Message()
                           << "key " << c.key << " modifiers " << c.modifiers.toInt();
        EXPECT_EQ(slider->Value(), c.expected) << trace;
        EXPECT_EQ(m_changes, c.expected != start ? 1 : 0) << trace;
        EXPECT_EQ(parentKeys.presses, c.passedOn ? 1 : 0) << trace;
        slider->hide();
    }
}

TEST_F(SliderTest, ArrowKeysReachTheSliderThroughTheWindow) {
    auto* button = new QPushButton(QStringLiteral("Ok"), m_host.get());  // owned by the host
    button->show();
    TSlider* slider = volume();
    button->setFocus();
    QTest::keyClick(m_host->windowHandle(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), slider);
    QTest::keyClick(m_host->windowHandle(), Qt::Key_Left);
    QTest::keyClick(m_host->windowHandle(), Qt::Key_Left);
    EXPECT_EQ(slider->Value(), 68);
}

TEST_F(SliderTest, DraggingTheThumbSnapsToWholeSteps) {
    TSlider* slider = volume();
    TSliderThumb* thumb = slider->Thumb();
    QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_TRUE(slider->Sliding());
    EXPECT_TRUE(thumb->Down());
    EXPECT_EQ(slider->HitOffset(), 5);
    EXPECT_EQ(m_startTracking, 1);
    EXPECT_EQ(QApplication::focusWidget(), slider);

    // Thumb left edge at 101: value 49.75 → 50, shown at 101.5 → 102.
    QTest::mouseMove(thumb, QPoint(101 + 5 - thumb->x(), 6));
    EXPECT_EQ(slider->Value(), 50);
    EXPECT_EQ(thumb->x(), 102);
    EXPECT_EQ(m_changes, 1);

    // Past the end of the travel, then a move that keeps the value.
    QTest::mouseMove(thumb, QPoint(400 - thumb->x(), 6));
    EXPECT_EQ(slider->Value(), 100);
    EXPECT_EQ(thumb->x(), 203);
    QTest::mouseMove(thumb, QPoint(300 - thumb->x(), 20));
    EXPECT_EQ(m_changes, 2);

    QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(300 - thumb->x(), 20));
    EXPECT_FALSE(slider->Sliding());
    EXPECT_FALSE(thumb->Down());
    EXPECT_EQ(m_stopTracking, 1);
}

TEST_F(SliderTest, RightButtonOnTheThumbFocusesWithoutDragging) {
    TSlider* slider = volume();
    TSliderThumb* thumb = slider->Thumb();
    QTest::mousePress(thumb, Qt::RightButton, {}, QPoint(5, 6));
    EXPECT_EQ(QApplication::focusWidget(), slider);
    EXPECT_FALSE(slider->Sliding());
    EXPECT_FALSE(thumb->Down());
    EXPECT_EQ(m_startTracking, 0);
    QTest::mouseMove(thumb, QPoint(-60, 6));
    EXPECT_EQ(thumb->x(), 142);
    QTest::mouseRelease(thumb, Qt::RightButton, {}, QPoint(-60, 6));
    EXPECT_EQ(m_stopTracking, 1);
    EXPECT_EQ(slider->Value(), 70);
}

TEST_F(SliderTest, RulerPressRepeatsUntilTheThumbReachesThePointer) {
    TSlider* slider = volume();  // thumb at 142..156
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(120, 6));
    EXPECT_EQ(slider->Value(), 69);
    EXPECT_EQ(m_changes, 1);
    EXPECT_TRUE(slider->RulerPressed());
    EXPECT_TRUE(slider->RepeatActive());
    EXPECT_EQ(slider->PressZone(), StepKind::Down);
    EXPECT_EQ(QApplication::focusWidget(), slider);

    ASSERT_TRUE(QTest::qWaitFor([&] { return slider->Value() == 68; }))
        << "the repeat timer stepped";

    // Further ticks step until the thumb's left edge reaches the pointer: 59 puts it
    // at 119.77 → 120.
    for (int tick = 0; tick < 20; ++tick) {
        slider->RepeatStep();
    }
    EXPECT_EQ(slider->Value(), 59);
    EXPECT_EQ(slider->Thumb()->x(), 120);

    // Back beyond the thumb, the steps resume.
    QTest::mouseMove(slider, QPoint(100, 6));
    const int before = slider->Value();
    slider->RepeatStep();
    EXPECT_EQ(slider->Value(), before - 1);

    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(100, 6));
    EXPECT_FALSE(slider->RulerPressed());
    EXPECT_FALSE(slider->RepeatActive());
    const int released = slider->Value();
    slider->RepeatStep();
    EXPECT_EQ(slider->Value(), released);
}

TEST_F(SliderTest, PressInTheThumbColumnStepsNothingButRepeats) {
    TSlider* slider = defaultSlider();  // thumb 9 × 17 in a 40-pixel-high control
    slider->SetValue(50);
    m_changes = 0;
    const int column = slider->Thumb()->x() + 4;
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(column, 30));
    EXPECT_EQ(slider->PressZone(), StepKind::None);
    EXPECT_EQ(slider->Value(), 50);
    EXPECT_TRUE(slider->RepeatActive());
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(column, 30));
    EXPECT_FALSE(slider->RepeatActive());
    EXPECT_EQ(m_changes, 0);
}

TEST_F(SliderTest, BothPressesOfADoubleClickStep) {
    TSlider* slider = volume();
    const QPoint inWindow = slider->mapTo(m_host.get(), QPoint(190, 6));  // right of the thumb
    QTest::mouseDClick(m_host->windowHandle(), Qt::LeftButton, {}, inWindow);
    EXPECT_EQ(slider->Value(), 72);
    EXPECT_FALSE(slider->RepeatActive());
}

TEST_F(SliderTest, ReleaseHandledInsideOnChangeLeavesNoRepeatRunning) {
    TSlider* slider = volume();
    // The volume handler processes pending events; the release may be among them.
    slider->SetOnChange(
        [](TSlider* sender) { QTest::mouseRelease(sender, Qt::LeftButton, {}, QPoint(120, 6)); });
    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(120, 6));
    EXPECT_EQ(slider->Value(), 69);
    EXPECT_FALSE(slider->RulerPressed());
    EXPECT_FALSE(slider->RepeatActive());
}

}  // namespace
}  // namespace velora::ui::test
