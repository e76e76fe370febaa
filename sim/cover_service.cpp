#include "sim/cover_service.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

// clang-format off
#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <jpeglib.h>
// clang-format on

#include "sim/guide_feeds.h"

namespace velora::sim {

namespace {

constexpr int kCoverSize = 300;

uint32_t hashOf(const std::string& text) {
    uint32_t h = 2166136261u;  // FNV-1a
    for (unsigned char c : text) {
        h = (h ^ c) * 16777619u;
    }
    return h;
}

uint8_t channel(uint32_t colour, int shift) {
    return static_cast<uint8_t>((colour >> shift) & 0xFF);
}

uint32_t mix(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const double v = channel(a, shift) * (1 - t) + channel(b, shift) * t;
        out |= static_cast<uint32_t>(std::lround(v)) << shift;
    }
    return out;
}

// A record sleeve: a diagonal wash between two colours of the seed, a dark disc with
// grooves and a label in a third colour.
uint32_t sleevePixel(int x, int y, uint32_t seed) {
    const uint32_t from = 0x404040u | (seed & 0xBFBFBFu);
    const uint32_t to = 0x202020u | ((seed >> 7) & 0x9F9F9Fu);
    const uint32_t label = 0x606060u | ((seed * 2654435761u) & 0x9F9F9Fu);
    const double cx = x - kCoverSize * 0.5;
    const double cy = y - kCoverSize * 0.5;
    const double r = std::sqrt(cx * cx + cy * cy);
    if (r < 24) {
        return r < 4 ? 0x101010u : label;
    }
    if (r < 120) {
        const bool groove = static_cast<int>(r) % 6 == 0;
        return groove ? 0x2A2A2Au : 0x141414u;
    }
    return mix(from, to, (x + y) / (2.0 * kCoverSize));
}

Response jpegResponse(std::string body) {
    return Response::text(std::move(body), "image/jpeg");
}

// The rest of the request path after `prefix`, percent-decoded.
std::string nameAfter(const HttpRequest& request, const std::string& prefix) {
    return percentDecode(std::string_view(request.path).substr(prefix.size()));
}

unsigned pngPixel(int x, int, int) {
    return x < 35 ? 0xC03030u : 0x3030C0u;
}

}  // namespace

std::string encodeJpeg(int width, int height, int channels,
                       const std::function<void(int y, uint8_t* row)>& fillRow, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = channels;
    info.in_color_space = channels == 1 ? JCS_GRAYSCALE : channels == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * channels);
    for (int y = 0; y < height; ++y) {
        fillRow(y, row.data());
        JSAMPROW rows = row.data();
        jpeg_write_scanlines(&info, &rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

std::string CoverService::coverFor(const std::string& name) {
    const uint32_t seed = hashOf(name);
    return encodeJpeg(kCoverSize, kCoverSize, 3, [seed](int y, uint8_t* row) {
        for (int x = 0; x < kCoverSize; ++x) {
            const uint32_t p = sleevePixel(x, y, seed);
            for (int c = 0; c < 3; ++c) {
                row[x * 3 + c] = channel(p, 16 - 8 * c);
            }
        }
    });
}
CoverService::CoverService(Server& server) : m_server(server) {
    server.route("/images", [this](const HttpRequest& request, Connection& c) {
        const std::string query = request.queryValue("q").value_or("");
        const std::string title = percentDecode(query);
        const std::string thumbnail =
            m_server.url("/covers/search/" + std::to_string(hashOf(title)) + ".jpg");
        c.respond(Response::text("<!doctype html><html><head><title>" + title +
                                     " - Görsel Arama</title></head><body>\n"
                                     "<div class=\"result\"><a href=\"/imgres?q=" +
                                     query + "\"><img width=\"70\" height=\"70\" src=" + thumbnail +
                                     ":http://origin.example/" + query +
                                     "></a></div>\n"
                                     "</body></html>\n",
                                 "text/html; charset=utf-8"));
    });
    for (const std::string prefix : {"/covers/search/", "/covers/title/"}) {
        server.routePrefix(prefix, [prefix](const HttpRequest& request, Connection& c) {
            c.respond(jpegResponse(coverFor(nameAfter(request, prefix))));
        });
    }
    server.routePrefix("/covers/artist/", [](const HttpRequest& request, Connection& c) {
        const std::string file = nameAfter(request, "/covers/artist/");
        if (file == ".JPG" || !file.ends_with(".JPG")) {
            c.respond(Response::error(404, "Not Found"));
            return;
        }
        c.respond(jpegResponse(coverFor(file.substr(0, file.size() - 4))));
    });
    server.route("/covers/fault/picture.png", [](const HttpRequest&, Connection& c) {
        c.respond(Response::text(encodePng(70, 70, pngPixel, 0), "image/png"));
    });
    server.route("/covers/fault/truncated.jpg", [](const HttpRequest&, Connection& c) {
        const std::string whole = coverFor("truncated");
        c.respond(jpegResponse(whole.substr(0, whole.size() * 6 / 10)));
    });
}

std::string CoverService::titleMode(const Server& server) {
    return "w-" + server.url("/covers/title/");
}

std::string CoverService::artistMode(const Server& server) {
    return "f-" + server.url("/covers/artist/");
}

}  // namespace velora::sim
