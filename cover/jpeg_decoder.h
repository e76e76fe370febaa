#pragma once
// JPEG pictures from memory, at full size, into a raster.

#include <cstdint>
#include <optional>
#include <span>

#include "cover/raster.h"

namespace velora::cover {

// Larger pictures are refused before any pixel is decoded: one bad file from a server
// must not be able to take hundreds of megabytes.
inline constexpr std::uint64_t kMaxJpegPixels = 50'000'000;

// Decodes `data` as a JPEG. Greyscale pictures come back as Gray8, everything else as
// Rgb24 (red, green, blue). nullopt for data that is not a JPEG, a JPEG the library
// refuses or only warns about (a file cut short decodes to grey with a warning), and
// a picture of more than `maxPixels` pixels. Never ends the process; any thread.
std::optional<Raster> decodeJpeg(std::span<const std::uint8_t> data,
                                 std::uint64_t maxPixels = kMaxJpegPixels);

}  // namespace velora::cover
