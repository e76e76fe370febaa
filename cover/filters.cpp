#include "cover/filters.h"

#include <cmath>
#include <numbers>

namespace velora::cover {
namespace {

// Normalised sinc. The product pi * t is taken to single precision first, so the sine
// and the division see exactly the same value.
double sinc(float t) {
    if (t == 0.0f) {
        return 1.0;
    }
    const auto pt = static_cast<float>(std::numbers::pi * static_cast<double>(t));
    return std::sin(static_cast<double>(pt)) / static_cast<double>(pt);
}

}  // namespace

// The polynomials are evaluated in double from the single-precision argument and the
// result is rounded once to single precision.

float BoxFilter(float x) {
    return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f;
}

float TriangleFilter(float x) {
    const double a = std::fabs(x);
    return a < 1.0 ? static_cast<float>(1.0 - a) : 0.0f;
}

float HermiteFilter(float x) {
    const double a = std::fabs(x);
    return a < 1.0 ? static_cast<float>((2.0 * a - 3.0) * a * a + 1.0) : 0.0f;
}

float BellFilter(float x) {
    const double a = std::fabs(x);
    if (a < 0.5) {
        return static_cast<float>(0.75 - a * a);
    }
    if (a < 1.5) {
        const double d = a - 1.5;
        return static_cast<float>(0.5 * d * d);
    }
    return 0.0f;
}

float BSplineFilter(float x) {
    const double a = std::fabs(x);
    if (a < 1.0) {
        return static_cast<float>(0.5 * a * a * a - a * a + 2.0 / 3.0);
    }
    if (a < 2.0) {
        const double d = 2.0 - a;
        return static_cast<float>(d * d * d / 6.0);
    }
    return 0.0f;
}

float Lanczos3Filter(float x) {
    const float a = std::fabs(x);
    if (a < 3.0f) {
        return static_cast<float>(sinc(a) * sinc(static_cast<float>(a / 3.0)));
    }
    return 0.0f;
}

float MitchellFilter(float x) {
    // a and a^2 stay in single precision; the cubic itself is evaluated in double.
    const float a = std::fabs(x);
    const float a2 = a * a;
    const double da = a;
    const double da2 = a2;
    if (a < 1.0f) {
        return static_cast<float>((7.0 * da2 * da - 12.0 * da2 + 16.0 / 3.0) / 6.0);
    }
    if (a < 2.0f) {
        return static_cast<float>((-(7.0 / 3.0) * da2 * da + 12.0 * da2 - 20.0 * da + 32.0 / 3.0) /
                                  6.0);
    }
    return 0.0f;
}

const std::array<FilterEntry, 7> FilterCatalogue = {{
    {"Box", BoxFilter, 0.5f},
    {"Triangle", TriangleFilter, 1.0f},
    {"Hermite", HermiteFilter, 1.0f},
    {"Bell", BellFilter, 1.5f},
    {"B-Spline", BSplineFilter, 2.0f},
    {"Lanczos3", Lanczos3Filter, 3.0f},
    {"Mitchell", MitchellFilter, 2.0f},
}};

const FilterEntry* findFilter(std::string_view name) {
    for (const FilterEntry& entry : FilterCatalogue) {
        if (name == entry.name) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace velora::cover
