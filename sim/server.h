#pragma once
// A small loopback HTTP/1.x server that plays the services the player talks to.
// Tests start it on an ephemeral port; velora-sim starts it on a fixed one.
//
// Threads: one accept thread plus one thread per client connection. Handlers run on
// the connection's thread and may block (streams pace themselves); they must return
// soon after Connection::stopping() becomes true. Every public method is thread-safe.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace velora::sim {

struct HttpRequest {
    std::string raw;  // every byte the client sent for this request (line + headers)
    std::string method;
    std::string target;  // as sent: path plus query
    std::string path;
    std::string query;  // without the leading '?'
    std::string version;
    std::vector<std::pair<std::string, std::string>> headers;
    int connectionId = 0;  // requests that share a connection share this number

    // First header of that name (case-insensitive); empty when absent.
    std::string header(std::string_view name) const;
    bool hasHeader(std::string_view name) const;
    // Raw (still escaped) value of a query key; nullopt when absent.
    std::optional<std::string> queryValue(std::string_view key) const;
};

enum class Framing { ContentLength, Chunked, CloseDelimited };

struct Response {
    int status = 200;
    std::string reason = "OK";
    std::string statusLine;  // when set, sent instead of "HTTP/1.1 <status> <reason>"
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    Framing framing = Framing::ContentLength;
    std::chrono::milliseconds delay{0};  // wait before the status line
    // Close the connection after this many body bytes (a drop mid-body).
    size_t dropAfterBodyBytes = std::numeric_limits<size_t>::max();
    bool keepAlive = true;  // false: "Connection: close" and close after the body

    static Response text(std::string body, std::string contentType = "text/plain; charset=utf-8");
    static Response error(int code, std::string reason);
};

// One client connection, handed to a route handler.
class Connection {
public:
    virtual ~Connection() = default;
    // Sends raw bytes; false when the peer has gone or the server is stopping.
    virtual bool send(std::string_view bytes) = 0;
    // Sends a whole response with its framing, delay and faults. False when the
    // connection cannot be used for another request afterwards.
    virtual bool respond(const Response& response) = 0;
    virtual bool stopping() const = 0;
    // Sleeps up to `d`, returning early (false) when the server stops.
    virtual bool sleepFor(std::chrono::milliseconds d) = 0;
    // The handler took over the connection (a stream): close it when the handler returns.
    virtual void closeAfterHandler() = 0;
};

using Handler = std::function<void(const HttpRequest&, Connection&)>;
using Logger = std::function<void(const std::string&)>;

class Server {
public:
    // Binds 127.0.0.1:port (0 = a free port picked at random below the system's range
    // for outgoing connections) and starts accepting.
    explicit Server(uint16_t port = 0);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    uint16_t port() const { return m_port; }
    std::string hostPort() const;                    // "127.0.0.1:<port>"
    std::string url(std::string_view target) const;  // "http://127.0.0.1:<port>" + target

    // Exact-path routes; an unknown path gets 404.
    void route(const std::string& path, Handler handler);
    // Every path starting with `prefix` that has no exact route (the longest prefix wins).
    void routePrefix(const std::string& prefix, Handler handler);
    // Answers requests for `path` ("" = every path) with `response` instead of the route,
    // `times` times (-1 = until cleared).
    void overrideNext(const std::string& path, Response response, int times = -1);
    void clearOverrides();
    // Adds a "Set-Cookie" header with this value to every response ("" = none).
    void setCookie(std::string value);
    // While refusing, the listening socket is closed: connects get "connection refused".
    void setRefusing(bool refusing);
    void setLogger(Logger logger);

    std::vector<HttpRequest> requests() const;
    void clearRequests();
    int connectionsAccepted() const { return m_accepted.load(); }

    void stop();

private:
    struct Client;
    class ClientConnection;
    void openListener();
    void closeListener();
    void acceptLoop();
    void serve(std::shared_ptr<Client> client);
    bool dispatch(const HttpRequest& request, ClientConnection& conn);
    void log(const std::string& line) const;

    uint16_t m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_accepted{0};
    std::atomic<int> m_listenFd{-1};
    int m_reserveFd = -1;  // holds the port while refusing; guarded by m_mutex
    int m_wakePipe[2] = {-1, -1};

    mutable std::mutex m_mutex;  // guards everything below
    std::map<std::string, Handler> m_routes;
    std::map<std::string, Handler> m_prefixRoutes;
    struct Override {
        Response response;
        int times;
    };
    std::map<std::string, Override> m_overrides;
    std::string m_cookie;
    std::vector<HttpRequest> m_requests;
    Logger m_logger;
    std::vector<std::shared_ptr<Client>> m_clients;
    std::thread m_acceptThread;
};

// Percent-decoding of a query value ("+" is a blank); bytes come back as they were sent.
std::string percentDecode(std::string_view text);

}  // namespace velora::sim
