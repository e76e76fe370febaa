#pragma once
// The reconstruction filters the cover resampler can use, by name. Each filter is a
// plain function of one single-precision argument (distance from the centre, in source
// pixels at scale 1) and is zero from its support outwards. Pure functions: safe from
// any thread.

#include <array>
#include <string_view>

namespace velora::cover {

using FilterFunction = float (*)(float);

struct FilterEntry {
    const char* name;
    FilterFunction filter;
    float support;  // the filter is 0 for |x| >= support
};

float BoxFilter(float x);       // 1 on (-0.5, 0.5], support 0.5
float TriangleFilter(float x);  // linear, support 1
float HermiteFilter(float x);   // smooth step, support 1
float BellFilter(float x);      // quadratic, support 1.5
float BSplineFilter(float x);   // cubic B-spline, support 2
float Lanczos3Filter(float x);  // windowed sinc, support 3
float MitchellFilter(float x);  // cubic with B = C = 1/3, support 2

// In this order: Box, Triangle, Hermite, Bell, B-Spline, Lanczos3, Mitchell.
extern const std::array<FilterEntry, 7> FilterCatalogue;

// The entry whose name is exactly `name` (case matters); nullptr when there is none.
const FilterEntry* findFilter(std::string_view name);

}  // namespace velora::cover
