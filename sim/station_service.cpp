#include "sim/station_service.h"

#include <array>

namespace velora::sim {
namespace {

// Code points of the bytes 0x80-0x9F and of the few letters above 0xCF that differ
// from Latin-1; every other byte is its own code point.
constexpr std::array<char16_t, 32> kHigh80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};

char32_t cp1254CodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        return kHigh80[b - 0x80];
    }
    switch (b) {
        case 0xD0:
            return 0x011E;
        case 0xDD:
            return 0x0130;
        case 0xDE:
            return 0x015E;
        case 0xF0:
            return 0x011F;
        case 0xFD:
            return 0x0131;
        case 0xFE:
            return 0x015F;
        default:
            return b;
    }
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string cp1254ToUtf8(std::string_view bytes) {
    std::string out;
    for (unsigned char b : bytes) {
        appendUtf8(out, cp1254CodePoint(b));
    }
    return out;
}

StationService::StationService(Server& server) {
    server.route("/xml.aspx", [this](const HttpRequest&, Connection& conn) {
        conn.respond(Response::text(directoryBody()));
    });
    server.route("/iphonebilgi.aspx", [this](const HttpRequest& req, Connection& conn) {
        auto field = [&](const char* key) {
            return cp1254ToUtf8(percentDecode(req.queryValue(key).value_or("")));
        };
        ListenerMessage m{req.query,       field("x_adsoyad"), field("x_mail"), field("x_mesaj"),
                          field("x_name"), field("x_sysver"),  field("x_uuid")};
        std::function<void(const ListenerMessage&)> listener;
        {
            std::lock_guard lock(m_mutex);
            m_messages.push_back(m);
            listener = m_listener;
        }
        if (listener) {
            listener(m);
        }
        conn.respond(Response::text("OK"));
    });
}

void StationService::setVersion(std::string version) {
    std::lock_guard lock(m_mutex);
    m_version = std::move(version);
}

void StationService::setDownloadUrl(std::string url) {
    std::lock_guard lock(m_mutex);
    m_downloadUrl = std::move(url);
}

void StationService::setStations(std::vector<StationEntry> stations) {
    std::lock_guard lock(m_mutex);
    m_stations = std::move(stations);
    m_useRaw = false;
}

void StationService::setRawDirectory(std::string body) {
    std::lock_guard lock(m_mutex);
    m_raw = std::move(body);
    m_useRaw = true;
}

std::string StationService::directoryBody() const {
    std::lock_guard lock(m_mutex);
    if (m_useRaw) {
        return m_raw;
    }
    std::string body = m_version + "\r\n" + m_downloadUrl + "\r\n";
    for (const StationEntry& s : m_stations) {
        for (const std::string* f : {&s.id, &s.name, &s.streamUrl, &s.advertUrl, &s.pageUrl,
                                     &s.linkA, &s.linkB, &s.coverMode}) {
            body += *f + "\r\n";
        }
    }
    return body;
}

std::vector<ListenerMessage> StationService::messages() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
}

void StationService::setMessageListener(std::function<void(const ListenerMessage&)> listener) {
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

}  // namespace velora::sim
