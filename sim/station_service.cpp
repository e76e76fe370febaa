#include "sim/station_service.h"

#include "service/cp1254.h"

namespace velora::sim {
std::string cp1254ToUtf8(std::string_view bytes) {
    return cp1254::decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())))
        .toUtf8()
        .toStdString();
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
