#include "cover/cover_lookup.h"

#include <QLoggingCategory>
#include <span>

#include "cover/cover_address.h"
#include "cover/filters.h"
#include "cover/jpeg_decoder.h"
#include "cover/resampler.h"
#include "service/http_error.h"
#include "service/text_rules.h"

Q_LOGGING_CATEGORY(lcCover, "velora.cover", QtWarningMsg)

namespace velora::cover {

namespace {
// The shortest address worth a request: "http://" and three characters.
constexpr qsizetype kMinScrapedAddress = 10;
}  // namespace

CoverFinder::CoverFinder(HttpClient& search, QByteArray imageSearchHost)
    : m_search(search), m_imageSearchHost(std::move(imageSearchHost)) {}

QByteArray CoverFinder::coverAddress(const QByteArray& mode, const QByteArray& title) const {
    const QByteArray encoded = UrlFormEncode(title);
    switch (coverSourceOf(mode)) {
        case CoverSource::ImageSearch: {
            const QByteArray page =
                m_search.get("http://" + m_imageSearchHost + imageSearchTarget(encoded));
            const QByteArray address = scrapedCoverAddress(page);
            return address.size() < kMinScrapedAddress ? QByteArray() : address;
        }
        case CoverSource::Title:
            return coverPrefix(mode) + encoded;
        case CoverSource::FileName:
            return coverPrefix(mode) + CoverFileName(title);
        case CoverSource::None:
            break;
    }
    return {};
}

std::optional<QByteArray> CoverFinder::download(const QByteArray& address) const {
    // A client of its own for every download, with default settings and an empty cookie
    // store; it goes when the download ends.
    HttpClient downloader(HttpProfile::download());
    downloader.setWaitPolicy(m_search.waitPolicy());
    try {
        return downloader.get(address);
    } catch (const HttpError& e) {
        qCInfo(lcCover) << "no cover from" << address << ":" << e.text();
        return std::nullopt;
    }
}

std::optional<Raster> CoverFinder::find(const QByteArray& mode, const QByteArray& title, int width,
                                        int height) const {
    QByteArray address;
    try {
        address = coverAddress(mode, title);
    } catch (const HttpError& e) {
        qCInfo(lcCover) << "image search failed for" << title << ":" << e.text();
        return std::nullopt;
    }
    if (address.isEmpty()) {
        return std::nullopt;
    }
    const std::optional<QByteArray> file = download(address);
    if (!file) {
        return std::nullopt;
    }
    std::optional<Raster> decoded =
        decodeJpeg(std::span(reinterpret_cast<const std::uint8_t*>(file->constData()),
                             static_cast<std::size_t>(file->size())));
    if (!decoded) {
        qCInfo(lcCover) << "not a usable JPEG:" << address << file->size() << "bytes";
        return std::nullopt;
    }
    Raster scaled(width, height, PixelFormat::Rgb24);
    try {
        ResampleBitmap(*decoded, scaled, MitchellFilter, 2.0f);
    } catch (const ResampleError& e) {
        qCInfo(lcCover) << "cover not scaled:" << e.what();
        return std::nullopt;
    }
    qCInfo(lcCover).nospace() << "cover for " << title << ": " << decoded->width() << "x"
                              << decoded->height() << " from " << address << ", scaled to " << width
                              << "x" << height;
    return scaled;
}

}  // namespace velora::cover
