#include "cover/raster.h"

#include <algorithm>
#include <utility>

namespace velora::cover {

Raster::Raster(int width, int height, PixelFormat format) {
    reset(width, height, format);
}

void Raster::reset(int width, int height, PixelFormat format) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_format = format;
    m_pixels.assign(stride() * static_cast<std::size_t>(m_height), 0);
}

void Raster::convertToRgb24() {
    if (m_format == PixelFormat::Rgb24) {
        return;
    }
    std::vector<std::uint8_t> rgb(m_pixels.size() * 3);
    for (std::size_t i = 0; i < m_pixels.size(); ++i) {
        std::fill_n(rgb.begin() + static_cast<std::ptrdiff_t>(i * 3), 3, m_pixels[i]);
    }
    m_pixels = std::move(rgb);
    m_format = PixelFormat::Rgb24;
}

}  // namespace velora::cover
