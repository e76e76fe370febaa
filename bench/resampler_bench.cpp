// Cover scaling cost: ResampleBitmap with Mitchell (support 2) beside QImage's smooth
// scaling of the same pixels, for a 600x600 picture down to 70x70 and a 70x70 one kept at
// 70x70. Qt is here for the comparison only; the resampler does not use it. When the size
// already matches, QImage::scaled hands back a shared copy of the picture, so the 70x70
// case times no filtering on Qt's side, while ResampleBitmap still filters (Mitchell
// blends each pixel with its neighbours).
//
// ResampleBitmap allocates only per call (the two sets of contributor lists, a strip of at
// most 128 source rows turned on its side, the intermediate raster of destination width
// and source height, one line of sums per pass and the destination itself), never per
// pixel.
//
// Usage: resampler-bench [Google Benchmark options]

#include <benchmark/benchmark.h>

#include <QImage>
#include <algorithm>
#include <cstdint>

#include "cover/resampler.h"

namespace {

using velora::cover::MitchellFilter;
using velora::cover::PixelFormat;
using velora::cover::Raster;
using velora::cover::ResampleBitmap;

constexpr int kTarget = 70;

// A cover-like picture: gradients and a few hard edges under deterministic noise.
Raster testPicture(int size) {
    Raster picture(size, size, PixelFormat::Rgb24);
    std::uint32_t noise = 0x2545f491u;
    for (int y = 0; y < size; ++y) {
        std::uint8_t* row = picture.row(y);
        for (int x = 0; x < size; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int jitter = static_cast<int>(noise & 31u) - 16;
            const int band = ((x / 37 + y / 53) % 2) * 90;
            const int base[3] = {x * 255 / size, y * 255 / size, (x + y) * 127 / size + band};
            for (int c = 0; c < 3; ++c) {
                const int value = base[c] + jitter;
                row[3 * x + c] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            }
        }
    }
    return picture;
}

void resampleBitmap(benchmark::State& state) {
    Raster source = testPicture(static_cast<int>(state.range(0)));
    Raster destination(kTarget, kTarget, PixelFormat::Rgb24);
    for (auto _ : state) {
        ResampleBitmap(source, destination, MitchellFilter, 2.0f);
        benchmark::DoNotOptimize(destination.row(0));
        benchmark::ClobberMemory();
    }
}

void qimageSmooth(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const Raster source = testPicture(size);
    const QImage image(source.bytes().data(), size, size, static_cast<qsizetype>(source.stride()),
                       QImage::Format_RGB888);
    for (auto _ : state) {
        QImage scaled =
            image.scaled(kTarget, kTarget, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(resampleBitmap)
    ->Name("ResampleBitmap/Mitchell")
    ->Arg(600)
    ->Arg(70)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(qimageSmooth)
    ->Name("QImage::scaled/Smooth")
    ->Arg(600)
    ->Arg(70)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
