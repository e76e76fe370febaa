#pragma once
// Integer helpers of the slider's position and value arithmetic.
//
// Products and sums are taken in 64 bits, so they are exact wherever 32-bit
// arithmetic would be and never overflow; results are brought back into the 32-bit
// range by saturation, so an extreme range gives a position at the far end of the
// travel instead of a wrapped one.

#include <cmath>
#include <cstdint>
#include <limits>

namespace velora::ui {

// `x` rounded to the nearest integer, halves to the even neighbour (101.5 -> 102,
// 100.5 -> 100). NaN gives 0; magnitudes beyond 2^62 are cut to it, far outside any
// value the slider can reach, so the result can always be added to a 32-bit value.
inline std::int64_t roundHalfEven(double x) {
    if (std::isnan(x)) {
        return 0;
    }
    constexpr double kLimit = 4611686018427387904.0;  // 2^62
    if (x <= -kLimit) {
        return -static_cast<std::int64_t>(kLimit);
    }
    if (x >= kLimit) {
        return static_cast<std::int64_t>(kLimit);
    }
    const double floor = std::floor(x);
    const double fraction = x - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1.0;
    }
    return static_cast<std::int64_t>(rounded);
}

inline std::int32_t saturate(std::int64_t x) {
    if (x < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (x > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(x);
}

}  // namespace velora::ui
