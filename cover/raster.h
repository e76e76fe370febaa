#pragma once
// A plain pixel raster: width, height and tightly packed rows of one or three 8-bit
// channels. The cover path decodes into it, scales it and only then turns it into a
// picture for the window.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velora::cover {

enum class PixelFormat {
    Gray8 = 1,  // one channel
    Rgb24 = 3,  // three channels, in the order the producer wrote them
};

class Raster {
public:
    Raster() = default;
    // Zero-filled; a negative width or height counts as 0.
    Raster(int width, int height, PixelFormat format = PixelFormat::Rgb24);

    int width() const { return m_width; }
    int height() const { return m_height; }
    PixelFormat format() const { return m_format; }
    int bytesPerPixel() const { return static_cast<int>(m_format); }
    // Bytes per row; rows follow each other without padding.
    std::size_t stride() const { return static_cast<std::size_t>(m_width) * bytesPerPixel(); }

    // Row `y` (0 <= y < height); the caller keeps inside the raster.
    std::uint8_t* row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * stride(); }
    const std::uint8_t* row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * stride();
    }
    const std::vector<std::uint8_t>& bytes() const { return m_pixels; }

    // New size and format, all pixels zero.
    void reset(int width, int height, PixelFormat format);
    // Three channels per pixel from here on; a grey value becomes three equal channels.
    void convertToRgb24();

private:
    int m_width = 0;
    int m_height = 0;
    PixelFormat m_format = PixelFormat::Rgb24;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace velora::cover
