#include "cover/resampler.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "cover/contributors.h"

namespace velora::cover {
namespace {

using detail::Contributor;
using detail::ContributorLists;

// Adds `line` times `weight` to a line of channel sums, the step every sum takes: the
// product and the addition in double, the running sum kept in single precision.
void addWeightedLine(std::vector<float>& sums, const std::uint8_t* line, float weight) {
    const double w = weight;
    float* sum = sums.data();
    const std::size_t count = sums.size();
    for (std::size_t i = 0; i < count; ++i) {
        sum[i] = static_cast<float>(static_cast<double>(sum[i]) + line[i] * w);
    }
}

// The sums of one destination line: the listed lines of `input`, weighted, in list order.
void sumLine(const Raster& input, std::span<const Contributor> list, std::vector<float>& sums) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    for (const Contributor& c : list) {
        addWeightedLine(sums, input.row(c.pixel), c.weight);
    }
}

// Clamps to 0..255 and rounds to nearest, halves to even. Adding and taking away 2^23
// rounds a float in 0..2^23 to an integer in the current (default: nearest-even) mode,
// as std::nearbyint does, without a library call per channel.
inline std::uint8_t toByte(float sum) {
    if (sum > 255.0f) {
        return 255;
    }
    if (sum < 0.0f) {
        return 0;
    }
    constexpr float kRounder = 8388608.0f;
    return static_cast<std::uint8_t>((sum + kRounder) - kRounder);
}

// Source rows are scaled a strip at a time, turned on their side so that a source
// column of the strip is one contiguous line: a destination column then sums whole lines,
// as the vertical pass does with rows. The strip bounds the extra memory to a few rows.
constexpr int kStripRows = 128;

// Rows top .. top + rows - 1 of `source` into `strip`: pixel (x, top + y) becomes pixel
// (y, x).
void transposeStrip(const Raster& source, int top, int rows, Raster& strip) {
    const int width = source.width();
    strip.reset(rows, width, PixelFormat::Rgb24);
    const std::size_t outStride = strip.stride();
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* pixel = source.row(top + y);
        std::uint8_t* column = strip.row(0) + 3 * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x, pixel += 3, column += outStride) {
            column[0] = pixel[0];
            column[1] = pixel[1];
            column[2] = pixel[2];
        }
    }
}

// Each source row into the same row of `work` (destination width, source height).
void horizontalPass(const Raster& source, const ContributorLists& columns, Raster& work) {
    Raster strip;
    std::vector<float> sums;
    for (int top = 0; top < source.height(); top += kStripRows) {
        const int rows = std::min(kStripRows, source.height() - top);
        transposeStrip(source, top, rows, strip);
        sums.resize(strip.stride());
        for (int x = 0; x < work.width(); ++x) {
            sumLine(strip, columns.list(x), sums);
            for (int y = 0; y < rows; ++y) {
                std::uint8_t* out = work.row(top + y) + 3 * static_cast<std::size_t>(x);
                for (int c = 0; c < 3; ++c) {
                    out[c] = toByte(sums[3 * static_cast<std::size_t>(y) + c]);
                }
            }
        }
    }
}

// Each destination row from the rows of `work`.
void verticalPass(const Raster& work, const ContributorLists& rows, Raster& destination) {
    std::vector<float> sums(work.stride());
    for (int y = 0; y < destination.height(); ++y) {
        sumLine(work, rows.list(y), sums);
        std::uint8_t* out = destination.row(y);
        for (std::size_t i = 0; i < sums.size(); ++i) {
            out[i] = toByte(sums[i]);
        }
    }
}

}  // namespace

void ResampleBitmap(Raster& source, Raster& destination, FilterFunction filter, float support) {
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    if (sourceWidth < 1 || sourceHeight < 1) {
        throw ResampleError("Source bitmap too small");
    }
    const int width = destination.width();
    const int height = destination.height();
    // Every argument error is found before either raster changes: the row scale and
    // capacity here, the column ones (and the filter) by building the column lists.
    detail::contributorCapacity(detail::axisScale(sourceHeight, height), support);

    Raster work;
    {
        const ContributorLists columns =
            detail::buildContributors(sourceWidth, width, filter, support);
        source.convertToRgb24();
        destination.reset(width, height, PixelFormat::Rgb24);
        work.reset(width, sourceHeight, PixelFormat::Rgb24);
        horizontalPass(source, columns, work);
    }  // column lists released before the row lists are made

    if (sourceHeight == 1) {
        throw ResampleError("Source bitmap one pixel tall: it cannot be scaled vertically");
    }
    const ContributorLists rows = detail::buildContributors(sourceHeight, height, filter, support);
    verticalPass(work, rows, destination);
}

}  // namespace velora::cover
