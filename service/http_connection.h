#pragma once
// One TCP connection for the HTTP client, made with curl in connect-only mode so that
// the request bytes on the wire are exactly ours.
//
// Thread: used by one thread at a time (the main thread in the program). While it waits
// it calls the owner's event pump, so the window keeps working during a request.

#include <QByteArray>
#include <QElapsedTimer>
#include <atomic>
#include <functional>
#include <memory>

namespace velora {

struct WaitPolicy {
    // Called while waiting: every 125 ms while connecting, and every 250 ms while
    // receiving, whether data keeps arriving or not (a slow download must not freeze
    // the window). Never while sending.
    std::function<void()> pumpEvents;
    // Set to make every wait give up at once (shutdown).
    std::shared_ptr<std::atomic<bool>> cancelled;
    int connectTimeoutMs = 30000;
    int stallTimeoutMs = 60000;  // no data at all for this long fails the request
    // A response still arriving after this long fails too, however steadily it trickles
    // in (-1: no limit). Counted from the start of the request.
    int totalTimeoutMs = 120000;
};

class HttpConnection {
public:
    HttpConnection();
    ~HttpConnection();
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;

    bool isOpenTo(const QByteArray& host, int port) const;
    bool isOpen() const;
    // Connects (closing any open connection first). Throws HttpError.
    void open(const QByteArray& host, int port, const WaitPolicy& wait);
    // Sends every byte. Throws HttpError.
    void sendAll(const QByteArray& bytes, const WaitPolicy& wait);
    // Receives up to `capacity` bytes; 0 when the peer closed the connection.
    // Throws HttpError.
    qsizetype receive(char* buffer, qsizetype capacity, const WaitPolicy& wait);
    void close();

private:
    struct Handles;
    std::unique_ptr<Handles> m_handles;
    QByteArray m_host;
    int m_port = 0;
    QElapsedTimer m_sincePump;  // receiving: time since the events were last pumped
};

}  // namespace velora
