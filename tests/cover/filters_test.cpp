#include "cover/filters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace velora::cover {
namespace {

TEST(FilterCatalogue, NamesSupportsAndOrder) {
    std::vector<std::string> names;
    for (const FilterEntry& entry : FilterCatalogue) {
        names.emplace_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Box", "Triangle", "Hermite", "Bell", "B-Spline",
                                               "Lanczos3", "Mitchell"}));
    const std::vector<float> supports{0.5f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};
    for (std::size_t i = 0; i < FilterCatalogue.size(); ++i) {
        EXPECT_EQ(FilterCatalogue[i].support, supports[i]) << FilterCatalogue[i].name;
    }
}

TEST(FilterCatalogue, FindsExactNamesOnly) {
    for (const FilterEntry& entry : FilterCatalogue) {
        EXPECT_EQ(findFilter(entry.name), &entry) << entry.name;
    }
    for (const char* unknown : {"", "mitchell", "MITCHELL", "Lanczos", "Box ", "BSpline"}) {
        EXPECT_EQ(findFilter(unknown), nullptr) << '"' << unknown << '"';
    }
}

double sinc(double t) {
    return std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
}

struct FilterPoint {
    const char* name;
    float x;
    double expected;
};

TEST(FilterCatalogue, ValuesAtChosenPoints) {
    const FilterPoint points[] = {
        {"Box", 0.0f, 1.0},
        {"Box", 0.5f, 1.0},   // closed on the right
        {"Box", -0.5f, 0.0},  // open on the left
        {"Box", -0.49f, 1.0},
        {"Triangle", 0.25f, 0.75},
        {"Triangle", -0.25f, 0.75},
        {"Triangle", 1.0f, 0.0},
        {"Hermite", 0.0f, 1.0},
        {"Hermite", -0.5f, 0.5},
        {"Hermite", 0.25f, 0.84375},
        {"Bell", 0.0f, 0.75},
        {"Bell", 0.5f, 0.5},
        {"Bell", -1.0f, 0.125},
        {"Bell", 1.5f, 0.0},
        {"B-Spline", 0.0f, 2.0 / 3.0},
        {"B-Spline", 1.0f, 1.0 / 6.0},
        {"B-Spline", -1.5f, 1.0 / 48.0},
        {"B-Spline", 2.0f, 0.0},
        {"Lanczos3", 0.0f, 1.0},
        {"Lanczos3", 0.5f, sinc(0.5) * sinc(0.5 / 3.0)},
        {"Lanczos3", -2.5f, sinc(2.5) * sinc(2.5 / 3.0)},
        {"Lanczos3", 1.0f, 0.0},  // within single-precision noise of 0
        {"Lanczos3", 3.0f, 0.0},
        {"Mitchell", 0.0f, 8.0 / 9.0},
        {"Mitchell", 1.0f, 1.0 / 18.0},
        {"Mitchell", -1.0f, 1.0 / 18.0},
        {"Mitchell", 0.5f, 77.0 / 144.0},
        {"Mitchell", -1.5f, -5.0 / 144.0},  // the negative lobe
        {"Mitchell", 2.0f, 0.0},
    };
    for (const FilterPoint& p : points) {
        const FilterEntry* entry = findFilter(p.name);
        ASSERT_NE(entry, nullptr) << p.name;
        EXPECT_NEAR(entry->filter(p.x), p.expected, 1e-6) << p.name << " at " << p.x;
    }
}

TEST(FilterCatalogue, ExactlyZeroFromTheSupportOutwards) {
    for (const FilterEntry& entry : FilterCatalogue) {
        const float s = entry.support;
        for (float x : {-s, -s - 0.01f, s + 0.01f, -4 * s, 4 * s, -1e6f, 1e6f}) {
            EXPECT_EQ(entry.filter(x), 0.0f) << entry.name << " at " << x;
        }
        if (entry.filter != BoxFilter) {
            EXPECT_EQ(entry.filter(s), 0.0f) << entry.name;
        }
    }
}

TEST(FilterCatalogue, MitchellSumsToOneOverIntegerSteps) {
    // The partition of unity the edge tests of the resampler rely on.
    for (float offset : {0.0f, 0.25f, 0.5f, 0.8f}) {
        double sum = 0.0;
        for (int k = -3; k <= 3; ++k) {
            sum += MitchellFilter(offset + static_cast<float>(k));
        }
        EXPECT_NEAR(sum, 1.0, 1e-6) << offset;
    }
}

}  // namespace
}  // namespace velora::cover
