#include "cover/jpeg_decoder.h"

#include <csetjmp>
#include <memory>
#include <vector>

// clang-format off
#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <jpeglib.h>
// clang-format on

namespace velora::cover {

namespace {

// Everything the decode touches after setjmp lives here, behind a pointer that never
// changes, so a long jump back leaves no local in an undefined state.
struct Decode {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf failed{};
    bool created = false;
    Raster raster;
    std::vector<JSAMPLE> cmykRow;  // one row of four inks, for CMYK pictures only

    ~Decode() {
        if (created) {
            jpeg_destroy_decompress(&info);
        }
    }
};

[[noreturn]] void failDecode(j_common_ptr info) {
    std::longjmp(static_cast<Decode*>(info->client_data)->failed, 1);
}

// The library only warns about damaged data and goes on with grey; a damaged picture is
// no picture for us, so the first warning ends the decode too. Trace messages are quiet.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) {
        failDecode(info);
    }
}

void silent(j_common_ptr) {}

// Adobe's CMYK JPEGs store inverted ink values; without the marker they are plain.
void cmykRowToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const int ink = inverted ? cmyk[c] : 255 - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>(ink * k / 255);
        }
    }
}

}  // namespace

std::optional<Raster> decodeJpeg(std::span<const std::uint8_t> data, std::uint64_t maxPixels) {
    if (data.empty()) {
        return std::nullopt;
    }
    const auto state = std::make_unique<Decode>();
    jpeg_decompress_struct& info = state->info;
    info.err = jpeg_std_error(&state->errors);
    state->errors.error_exit = failDecode;
    state->errors.emit_message = onMessage;
    state->errors.output_message = silent;
    info.client_data = state.get();
    // Only trivially destructible locals from here on: a failure jumps back to this point.
    if (setjmp(state->failed) != 0) {
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    state->created = true;
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (static_cast<std::uint64_t>(info.image_width) * info.image_height > maxPixels) {
        return std::nullopt;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    state->raster.reset(width, static_cast<int>(info.output_height),
                        grey ? PixelFormat::Gray8 : PixelFormat::Rgb24);
    if (cmyk) {
        state->cmykRow.resize(static_cast<std::size_t>(width) * 4);
    }
    while (info.output_scanline < info.output_height) {
        std::uint8_t* row = state->raster.row(static_cast<int>(info.output_scanline));
        JSAMPROW target = cmyk ? state->cmykRow.data() : row;
        if (jpeg_read_scanlines(&info, &target, 1) != 1) {
            return std::nullopt;  // the source ran dry without a warning
        }
        if (cmyk) {
            cmykRowToRgb(state->cmykRow.data(), row, width, info.saw_Adobe_marker);
        }
    }
    jpeg_finish_decompress(&info);
    return std::move(state->raster);
}

}  // namespace velora::cover
