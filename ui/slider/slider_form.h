#pragma once
// The stored form of a TSlider: the values a designer would have saved with the
// control, and the loading step that applies them in the order a stored control is
// read. A window builds each of its sliders from one of these.
//
// Loading order: the four pictures, EdgeSize, NumThumbStates, Orientation, Options,
// Increment, MinValue, MaxValue, Value, then the standard widget properties (name,
// bounds, colour, enabled, visible), UserImages last. Every property goes through its
// normal write, with its checks; size changes meanwhile do not lay the control out.
// Afterwards TSlider::Loaded applies each user picture once more, laying out with the
// final size. Events are not part of the form: set them after loading.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "ui/slider/slider.h"

struct TSliderForm {
    // An empty field is not in the form: the slider keeps its constructor's value.
    // A picture is present only for an index the user supplied.
    std::array<std::optional<QImage>, kSliderImageCount> Images;
    std::optional<int> EdgeSize;
    std::optional<TNumThumbStates> NumThumbStates;
    std::optional<TSliderOrientation> Orientation;
    std::optional<TSliderOptions> Options;
    std::optional<int> Increment;
    std::optional<int> MinValue;
    std::optional<int> MaxValue;
    std::optional<int> Value;

    QString Name;  // the object name; empty keeps the slider's
    std::optional<QRect> Bounds;
    std::optional<QColor> Color;  // an invalid colour is the "none" colour
    std::optional<bool> Enabled;
    std::optional<bool> Visible;

    // The byte of user picture indices, bit i for slot i.
    std::optional<std::uint8_t> UserImages;
};

namespace velora::ui {

// The main window's volume slider "Slider_volume": at (51, 369), 218 × 13,
// horizontal, two thumb states, no options, range 0..100 in steps of 1, value 70, no
// background colour, with the given thumb picture (two 15 × 13 states side by side,
// 30 × 13) and ruler picture (214 × 14) as user images 0 and 1. Its travel is
// 218 − 15 = 203 pixels.
TSliderForm volumeSliderForm(const QImage& thumb, const QImage& ruler);

// Makes the volume slider as a child of `parent` (which owns it) from
// volumeSliderForm. Connect its change handler afterwards:
//   slider->SetOnChange([this](TSlider* sender) { Slider_volumeChange(sender); });
TSlider* createVolumeSlider(QWidget* parent, const QImage& thumb, const QImage& ruler);

}  // namespace velora::ui
