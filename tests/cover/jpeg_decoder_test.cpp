// JPEG decoding from memory: colour, grey and CMYK pictures, and everything refused.
#include "cover/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <string>

#include "sim/cover_service.h"
#include "sim/guide_feeds.h"

namespace velora::cover {
namespace {

std::optional<Raster> decode(const std::string& bytes, std::uint64_t maxPixels = kMaxJpegPixels) {
    return decodeJpeg(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                      maxPixels);
}

// A flat picture of one colour, channel values as given.
std::string flat(int width, int height, std::vector<uint8_t> value) {
    const int channels = static_cast<int>(value.size());
    return sim::encodeJpeg(width, height, channels, [&](int, uint8_t* row) {
        for (int i = 0; i < width * channels; ++i) {
            row[i] = value[i % channels];
        }
    });
}

void expectColour(const Raster& r, int x, int y, std::vector<int> rgb) {
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(r.row(y)[x * 3 + c], rgb[c], 3) << "channel " << c;
    }
}

TEST(JpegDecoder, ColourGreyAndCmykPicturesDecodeAtFullSize) {
    const auto colour = decode(flat(33, 17, {200, 40, 90}));
    ASSERT_TRUE(colour);
    EXPECT_EQ(colour->width(), 33);
    EXPECT_EQ(colour->height(), 17);
    EXPECT_EQ(colour->format(), PixelFormat::Rgb24);
    expectColour(*colour, 32, 16, {200, 40, 90});

    const auto grey = decode(flat(8, 9, {77}));
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->format(), PixelFormat::Gray8);
    EXPECT_NEAR(grey->row(8)[7], 77, 1);

    // Red as ink: no cyan, full magenta and yellow, no black; stored inverted.
    const auto cmyk = decode(flat(8, 8, {255, 0, 0, 255}));
    ASSERT_TRUE(cmyk);
    EXPECT_EQ(cmyk->format(), PixelFormat::Rgb24);
    expectColour(*cmyk, 3, 3, {255, 0, 0});
}

TEST(JpegDecoder, AnythingButAWholeReasonableJpegIsRefused) {
    const std::string whole = sim::CoverService::coverFor("x");
    ASSERT_TRUE(decode(whole));
    unsigned (*red)(int, int, int) = [](int, int, int) { return 0xFF0000u; };
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"png", sim::encodePng(4, 4, red, 0)},
        {"html error page", "<html><body>404 Not Found</body></html>"},
        {"cut inside the image data", whole.substr(0, whole.size() * 6 / 10)},
        {"header only", whole.substr(0, 200)},
        {"start marker only", std::string("\xFF\xD8", 2)},
        {"scrambled data",
         [&] {
             std::string s = whole;
             for (size_t i = s.size() / 2; i < s.size() - 2; i += 7)
                 s[i] = '\xFF';
             return s;
         }()},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(decode(c.bytes)) << c.what;
    }
}

TEST(JpegDecoder, PicturesAboveThePixelLimitAreRefusedBeforeDecoding) {
    const std::string picture = flat(64, 64, {1, 2, 3});
    EXPECT_TRUE(decode(picture, 64 * 64));
    EXPECT_FALSE(decode(picture, 64 * 64 - 1));
    // A header that claims 40000 x 40000 (1.6 gigapixels) with next to no data behind it.
    std::string huge = picture;
    const size_t sof = huge.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    huge.replace(sof + 5, 4, "\x9C\x40\x9C\x40");
    EXPECT_FALSE(decode(huge));
}

}  // namespace
}  // namespace velora::cover
