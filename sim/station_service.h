#pragma once
// The brand's directory and message service: GET /xml.aspx answers the version line,
// the download address and eight lines per station; GET /iphonebilgi.aspx records a
// listener message.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "sim/server.h"

namespace velora::sim {

struct StationEntry {
    std::string id;  // field 0, not read by the player
    std::string name;
    std::string streamUrl;
    std::string advertUrl;
    std::string pageUrl;
    std::string linkA;
    std::string linkB;
    std::string coverMode = "g";
};

// Query values exactly as received (still escaped) and decoded to UTF-8 text.
struct ListenerMessage {
    std::string rawQuery;
    std::string name;
    std::string email;
    std::string message;
    std::string appName;
    std::string version;
    std::string deviceId;
};

class StationService {
public:
    explicit StationService(Server& server);

    void setVersion(std::string version);
    void setDownloadUrl(std::string url);
    void setStations(std::vector<StationEntry> stations);
    // Replaces the generated answer with these exact bytes.
    void setRawDirectory(std::string body);
    // The directory answer as it would be sent now (UTF-8, CR LF line ends).
    std::string directoryBody() const;

    std::vector<ListenerMessage> messages() const;
    // Called on the connection's thread for every message received.
    void setMessageListener(std::function<void(const ListenerMessage&)> listener);

private:
    mutable std::mutex m_mutex;
    std::string m_version = "1003";
    std::string m_downloadUrl;
    std::vector<StationEntry> m_stations;
    std::string m_raw;
    bool m_useRaw = false;
    std::vector<ListenerMessage> m_messages;
    std::function<void(const ListenerMessage&)> m_listener;
};

// Listener messages travel as code page 1254 bytes; the log and tests read UTF-8.
std::string cp1254ToUtf8(std::string_view bytes);

}  // namespace velora::sim
