#include "cover/resampler.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "cover/contributors.h"

namespace velora::cover {
namespace {

using Pattern = std::function<int(int x, int y, int channel)>;

Raster rgbRaster(int width, int height, const Pattern& pattern) {
    Raster raster(width, height, PixelFormat::Rgb24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                raster.row(y)[3 * x + c] = static_cast<std::uint8_t>(pattern(x, y, c));
            }
        }
    }
    return raster;
}

int at(const Raster& raster, int x, int y, int channel) {
    return raster.row(y)[raster.bytesPerPixel() * x + channel];
}

Raster resampled(Raster source, int width, int height, const char* filter = "Mitchell") {
    const FilterEntry* entry = findFilter(filter);
    Raster destination(width, height, PixelFormat::Rgb24);
    ResampleBitmap(source, destination, entry->filter, entry->support);
    return destination;
}

// The two passes written out plainly, pixel by pixel, from the same contributor lists.
Raster plainTwoPass(const Raster& source, int width, int height, const FilterEntry& f) {
    const auto toByte = [](float sum) {
        return static_cast<std::uint8_t>(sum > 255 ? 255 : sum < 0 ? 0 : std::nearbyint(sum));
    };
    const auto columns = detail::buildContributors(source.width(), width, f.filter, f.support);
    const auto rows = detail::buildContributors(source.height(), height, f.filter, f.support);
    Raster work(width, source.height(), PixelFormat::Rgb24);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (const auto& k : columns.list(x)) {
                    sum = static_cast<float>(sum + double(at(source, k.pixel, y, c)) * k.weight);
                }
                work.row(y)[3 * x + c] = toByte(sum);
            }
        }
    }
    Raster out(width, height, PixelFormat::Rgb24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (const auto& k : rows.list(y)) {
                    sum = static_cast<float>(sum + double(at(work, x, k.pixel, c)) * k.weight);
                }
                out.row(y)[3 * x + c] = toByte(sum);
            }
        }
    }
    return out;
}

// Tall and wide sources are worked through in strips of rows; every pixel must still be
// what the plain two passes give, across strip boundaries and in every channel.
TEST(ResampleBitmap, MatchesThePlainTwoPassesOnLargeSources) {
    const Pattern noise = [](int x, int y, int c) {
        return (x * 37 + y * 101 + c * 59 + x * y) % 256;
    };
    for (const auto& [w, h, dw, dh] : std::vector<std::array<int, 4>>{
             {40, 300, 70, 70}, {300, 129, 70, 70}, {7, 257, 70, 31}, {70, 70, 70, 70}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const Raster source = rgbRaster(w, h, noise);
        const Raster expected = plainTwoPass(source, dw, dh, *findFilter("Mitchell"));
        const Raster actual = resampled(source, dw, dh);
        EXPECT_EQ(actual.bytes(), expected.bytes());
    }
}

// Mitchell at scale 1 along one line, worked out in double: 8/9 of each pixel and 1/18 of
// each neighbour, the missing neighbour being pixel 1 at the start and the pixel itself
// at the end. Fails the test if a result is too close to a half to be decided.
std::vector<int> mitchellAtScaleOne(const std::vector<int>& line) {
    const auto n = static_cast<int>(line.size());
    std::vector<int> out;
    for (int i = 0; i < n; ++i) {
        const int before = i == 0 ? line[n > 1 ? 1 : 0] : line[i - 1];
        const int after = i == n - 1 ? line[i] : line[i + 1];
        const double value = 8.0 / 9.0 * line[i] + (before + after) / 18.0;
        EXPECT_GT(std::fabs(value - std::floor(value) - 0.5), 1e-3) << "ambiguous fixture";
        out.push_back(static_cast<int>(std::lround(value)));
    }
    return out;
}

TEST(ResampleBitmap, MitchellAtTheSameSizeBlendsNeighboursAlongBothAxes) {
    const int n = 70;
    // Neighbours differ along both axes, and no sum lands on a half.
    const Raster source =
        rgbRaster(n, n, [](int x, int y, int c) { return (x * x + y * 7 + c * 91) % 256; });
    const Raster result = resampled(source, n, n);
    EXPECT_NE(result.bytes(), source.bytes());

    for (int c = 0; c < 3; ++c) {
        // Rows first, rounded to bytes, then columns of that.
        std::vector<std::vector<int>> rows(n);
        for (int y = 0; y < n; ++y) {
            std::vector<int> line;
            for (int x = 0; x < n; ++x) {
                line.push_back(at(source, x, y, c));
            }
            rows[y] = mitchellAtScaleOne(line);
        }
        for (int x = 0; x < n; ++x) {
            std::vector<int> column;
            for (int y = 0; y < n; ++y) {
                column.push_back(rows[y][x]);
            }
            const std::vector<int> expected = mitchellAtScaleOne(column);
            for (int y = 0; y < n; ++y) {
                ASSERT_EQ(at(result, x, y, c), expected[y]) << x << ',' << y << " channel " << c;
            }
        }
    }
}

// Along either axis: the two pixels (0, 255), each spread over two pixels of the other
// axis, scaled to 70 with Mitchell.
TEST(ResampleBitmap, TwoPixelsMagnifiedAlongEitherAxis) {
    const Raster across = rgbRaster(2, 2, [](int x, int, int) { return x * 255; });
    const Raster result = resampled(across, 70, 2);
    const Raster down = rgbRaster(2, 2, [](int, int y, int) { return y * 255; });
    const Raster resultDown = resampled(down, 2, 70);
    for (int k = 0; k < 2; ++k) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(at(result, 0, k, c), 28);
            EXPECT_EQ(at(result, 69, k, c), 241);
            EXPECT_EQ(at(resultDown, k, 0, c), 28);
            EXPECT_EQ(at(resultDown, k, 69, c), 241);
        }
    }
}

struct UniformCase {
    int sourceWidth;
    int value;
    std::vector<int> expected;  // the 70 columns, or just the first ones
};

// Minified weights are not normalised, so a flat row need not stay flat.
TEST(ResampleBitmap, FlatRowMinifiedTo70Columns) {
    const UniformCase cases[] = {
        {100, 255, {255, 254}},
        {300, 100, std::vector<int>(70, 100)},
    };
    for (const UniformCase& test : cases) {
        const Raster result = resampled(
            rgbRaster(test.sourceWidth, 2, [&](int, int, int) { return test.value; }), 70, 2);
        for (std::size_t x = 0; x < test.expected.size(); ++x) {
            EXPECT_EQ(at(result, static_cast<int>(x), 0, 0), test.expected[x])
                << test.sourceWidth << " wide, column " << x;
        }
    }
}

TEST(ResampleBitmap, OvershootAndUndershootAtASharpEdgeAreClamped) {
    // 0 0 0 0 255 255 255 255 magnified 4 times (29 columns): column 10 is centred on 2.5,
    // where the negative lobe gives -8.9; column 18 on 4.5, where the sum is 263.9.
    const Raster result =
        resampled(rgbRaster(8, 2, [](int x, int, int) { return x < 4 ? 0 : 255; }), 29, 2);
    const struct {
        int column;
        int value;
    } expected[] = {{10, 0}, {12, 14}, {16, 241}, {18, 255}};
    for (const auto& e : expected) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(at(result, e.column, 1, c), e.value) << "column " << e.column;
        }
    }
}

TEST(ResampleBitmap, GreySourceIsConvertedAndGivesEqualChannels) {
    const auto grey = [](int x, int y, int) { return (x * 29 + y * y * 5) % 256; };
    Raster source(9, 7, PixelFormat::Gray8);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            source.row(y)[x] = static_cast<std::uint8_t>(grey(x, y, 0));
        }
    }
    Raster destination(5, 11, PixelFormat::Gray8);
    ResampleBitmap(source, destination, Lanczos3Filter, 3.0f);

    const Raster asRgb = rgbRaster(9, 7, grey);
    EXPECT_EQ(source.format(), PixelFormat::Rgb24);
    EXPECT_EQ(source.bytes(), asRgb.bytes());
    EXPECT_EQ(destination.format(), PixelFormat::Rgb24);
    EXPECT_EQ(destination.bytes(), resampled(asRgb, 5, 11, "Lanczos3").bytes());
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(at(destination, x, y, 1), at(destination, x, y, 0));
            EXPECT_EQ(at(destination, x, y, 2), at(destination, x, y, 0));
        }
    }
}

TEST(ResampleBitmap, OnePixelWideSourceIsSpreadAcrossTheWidth) {
    // Mitchell reaches pixels -1 and 1 of a one-pixel row; both must be that pixel (with
    // the weights summing to 1, every column equals the source). Reading pixel 1 would
    // take the next row's pixel, or run past the end on the last row.
    const int height = 6;
    const Raster source = rgbRaster(1, height, [](int, int y, int c) { return 20 + 40 * y + c; });
    const Raster result = resampled(source, 5, height);
    for (int c = 0; c < 3; ++c) {
        std::vector<int> column;
        for (int y = 0; y < height; ++y) {
            column.push_back(at(source, 0, y, c));
        }
        const std::vector<int> expected = mitchellAtScaleOne(column);
        for (int x = 0; x < 5; ++x) {
            for (int y = 0; y < height; ++y) {
                EXPECT_EQ(at(result, x, y, c), expected[y]) << x << ',' << y;
            }
        }
    }
}

struct Refusal {
    const char* what;
    int sourceWidth, sourceHeight, width, height;
    FilterFunction filter;
    float support;
};

TEST(ResampleBitmap, RefusesBadArgumentsBeforeChangingAnything) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Refusal cases[] = {
        {"source 0 wide", 0, 5, 4, 4, MitchellFilter, 2.0f},
        {"source 0 tall", 5, 0, 4, 4, MitchellFilter, 2.0f},
        {"destination 0 wide", 5, 5, 0, 4, MitchellFilter, 2.0f},
        {"destination 0 tall", 5, 5, 4, 0, MitchellFilter, 2.0f},
        {"destination 1 wide", 5, 5, 1, 4, MitchellFilter, 2.0f},
        {"destination 1 tall", 5, 5, 4, 1, MitchellFilter, 2.0f},
        {"no filter", 5, 5, 4, 4, nullptr, 2.0f},
        {"negative support", 5, 5, 4, 4, MitchellFilter, -1.0f},
        {"support not a number", 5, 5, 4, 4, MitchellFilter, nan},
    };
    for (const Refusal& r : cases) {
        SCOPED_TRACE(r.what);
        Raster source(r.sourceWidth, r.sourceHeight, PixelFormat::Gray8);
        if (!source.bytes().empty()) {
            source.row(0)[0] = 7;
        }
        Raster destination(r.width, r.height, PixelFormat::Gray8);
        if (!destination.bytes().empty()) {
            destination.row(0)[0] = 9;
        }
        const std::vector<std::uint8_t> sourceBytes = source.bytes();
        const std::vector<std::uint8_t> destinationBytes = destination.bytes();
        try {
            ResampleBitmap(source, destination, r.filter, r.support);
            ADD_FAILURE() << "no error";
        } catch (const ResampleError& e) {
            if (r.sourceWidth < 1 || r.sourceHeight < 1) {
                EXPECT_EQ(std::string(e.what()), "Source bitmap too small");
            }
        }
        EXPECT_EQ(source.format(), PixelFormat::Gray8);
        EXPECT_EQ(source.bytes(), sourceBytes);
        EXPECT_EQ(destination.format(), PixelFormat::Gray8);
        EXPECT_EQ(destination.width(), r.width);
        EXPECT_EQ(destination.height(), r.height);
        EXPECT_EQ(destination.bytes(), destinationBytes);
    }
}

TEST(ResampleBitmap, OnePixelTallSourceIsRefusedByTheVerticalPass) {
    for (int sourceWidth : {1, 3}) {
        Raster source(sourceWidth, 1, PixelFormat::Rgb24);
        Raster destination(4, 4, PixelFormat::Rgb24);
        try {
            ResampleBitmap(source, destination, MitchellFilter, 2.0f);
            ADD_FAILURE() << "no error for " << sourceWidth << " wide";
        } catch (const ResampleError& e) {
            EXPECT_NE(std::string(e.what()).find("one pixel tall"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace velora::cover
