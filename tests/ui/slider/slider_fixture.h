#pragma once
// A shown top-level window holding sliders, and pictures whose pixels say where they
// came from.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <memory>

#include "ui/slider/slider.h"
#include "ui/slider/slider_form.h"

namespace velora::ui::test {

// Thumb of the volume slider: two 15 × 13 states, normal (0, 0, 200) and pressed
// (200, 0, 0), each with an olive key-colour pixel in its top-left corner.
inline QImage volumeThumbPicture() {
    QImage image(30, 13, QImage::Format_RGB32);
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 30; ++x) {
            image.setPixel(x, y, x < 15 ? qRgb(0, 0, 200) : qRgb(200, 0, 0));
        }
    }
    image.setPixel(0, 0, kSliderKeyColour);
    image.setPixel(15, 0, kSliderKeyColour);
    return image;
}

// Ruler of the volume slider, 214 × 14: column c has the colour (c, 60, 90), so a
// composed ruler shows which picture column each of its columns came from.
inline QImage volumeRulerPicture() {
    QImage image(214, 14, QImage::Format_RGB32);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 214; ++x) {
            image.setPixel(x, y, qRgb(x, 60, 90));
        }
    }
    return image;
}

// Picture column that column `x` of a composed horizontal ruler came from.
inline int sourceColumn(const QImage& composed, int x) {
    return qRed(composed.pixel(x, 0));
}

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host = std::make_unique<QWidget>();
        m_host->resize(320, 480);
        m_host->show();
        QApplication::setActiveWindow(m_host.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_host.get()));
    }

    // The main window's volume slider on the host, with change and tracking counters.
    TSlider* volume() {
        TSlider* slider =
            createVolumeSlider(m_host.get(), volumeThumbPicture(), volumeRulerPicture());
        slider->show();
        count(slider);
        return slider;
    }

    // A slider as constructed, 140 × 40 at (10, 10), with counters.
    TSlider* defaultSlider() {
        auto* slider = new TSlider(m_host.get());  // owned by the host
        slider->move(10, 10);
        slider->show();
        count(slider);
        return slider;
    }

    void count(TSlider* slider) {
        slider->SetOnChange([this](TSlider*) { ++m_changes; });
        slider->SetOnStartTracking([this](TSlider*) { ++m_startTracking; });
        slider->SetOnStopTracking([this](TSlider*) { ++m_stopTracking; });
    }

    std::unique_ptr<QWidget> m_host;
    int m_changes = 0;
    int m_startTracking = 0;
    int m_stopTracking = 0;
};

}  // namespace velora::ui::test
