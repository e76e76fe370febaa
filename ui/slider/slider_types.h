#pragma once
// Value types of the skinned slider: orientation, options, thumb states, the step
// kinds of keys and ruler presses, the image slots and the key colour.

#include <QColor>
#include <Qt>
#include <cstdint>
#include <initializer_list>

// Axis of travel. The order is part of the stored form.
enum class TSliderOrientation : std::uint8_t { soHorizontal, soVertical };

// Optional extras: focus rectangle, tick marks, and smooth movement (no snapping of
// the thumb to whole increments). The order gives the bit of each option in
// TSliderOptions.
enum class TSliderOption : std::uint8_t { soShowFocus, soShowPoints, soSmooth };

// Set of TSliderOption kept in one byte: bit 0 soShowFocus, bit 1 soShowPoints,
// bit 2 soSmooth. The byte is what the stored form holds.
class TSliderOptions {
public:
    constexpr TSliderOptions() = default;
    constexpr TSliderOptions(std::initializer_list<TSliderOption> options) {
        for (TSliderOption option : options) {
            m_bits |= bit(option);
        }
    }

    static constexpr TSliderOptions fromByte(std::uint8_t bits) {
        TSliderOptions options;
        options.m_bits = bits & kAllBits;
        return options;
    }
    static constexpr TSliderOptions all() { return fromByte(kAllBits); }

    constexpr std::uint8_t toByte() const { return m_bits; }
    constexpr bool contains(TSliderOption option) const { return (m_bits & bit(option)) != 0; }
    constexpr bool empty() const { return m_bits == 0; }

    constexpr TSliderOptions& include(TSliderOption option) {
        m_bits |= bit(option);
        return *this;
    }
    constexpr TSliderOptions& exclude(TSliderOption option) {
        m_bits &= static_cast<std::uint8_t>(~bit(option));
        return *this;
    }

    friend constexpr bool operator==(TSliderOptions, TSliderOptions) = default;

private:
    static constexpr std::uint8_t kAllBits = 0x07;
    static constexpr std::uint8_t bit(TSliderOption option) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(option));
    }

    std::uint8_t m_bits = 0;
};

// Number of states cut side by side from the thumb picture: 1 (one picture for every
// state) or 2 (normal on the left half, pressed on the right half).
using TNumThumbStates = int;
inline constexpr TNumThumbStates kMinThumbStates = 1;
inline constexpr TNumThumbStates kMaxThumbStates = 2;

// What a key or a ruler press does to the value. The order is fixed.
enum class StepKind : std::uint8_t { None, ToMin, ToMax, Up, Down };

// Buttons held and modifier keys down during a mouse event, as the thumb passes them
// on to the slider.
struct TShiftState {
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
};

// The four image slots of a slider, by index.
enum TSliderImageIndex : int {
    kImageHThumb = 0,
    kImageHRuler = 1,
    kImageVThumb = 2,
    kImageVRuler = 3,
};
inline constexpr int kSliderImageCount = 4;

// Set of image indices 0..7 kept in one byte; bit i set means image i was supplied by
// the user. Only 0..3 are used.
class TUserImages {
public:
    constexpr TUserImages() = default;
    static constexpr TUserImages fromByte(std::uint8_t bits) {
        TUserImages set;
        set.m_bits = bits;
        return set;
    }

    constexpr std::uint8_t toByte() const { return m_bits; }
    constexpr bool contains(int index) const {
        return index >= 0 && index < 8 && (m_bits & (1u << index)) != 0;
    }
    constexpr void include(int index) {
        if (index >= 0 && index < 8) {
            m_bits |= static_cast<std::uint8_t>(1u << index);
        }
    }
    constexpr void exclude(int index) {
        if (index >= 0 && index < 8) {
            m_bits &= static_cast<std::uint8_t>(~(1u << index));
        }
    }

    friend constexpr bool operator==(TUserImages, TUserImages) = default;

private:
    std::uint8_t m_bits = 0;
};

namespace velora::ui {

// Pixels of this colour in the slider's pictures are not drawn: olive, RGB 128, 128, 0.
inline constexpr QRgb kSliderKeyColour = 0xFF808000u;

}  // namespace velora::ui
