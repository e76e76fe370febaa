#include "sim/server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <stdexcept>

namespace velora::sim {
namespace {

constexpr size_t kMaxRequestBytes = 64 * 1024;

sockaddr_in loopback(uint16_t port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    return addr;
}

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string trim(std::string_view s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) {
        return {};
    }
    size_t e = s.find_last_not_of(" \t");
    return std::string(s.substr(b, e - b + 1));
}

std::optional<HttpRequest> parseRequest(const std::string& raw) {
    HttpRequest r;
    r.raw = raw;
    size_t lineEnd = raw.find("\r\n");
    if (lineEnd == std::string::npos) {
        return std::nullopt;
    }
    std::string_view line(raw.data(), lineEnd);
    size_t s1 = line.find(' ');
    size_t s2 = line.rfind(' ');
    if (s1 == std::string_view::npos || s2 == s1) {
        return std::nullopt;
    }
    r.method = std::string(line.substr(0, s1));
    r.target = std::string(line.substr(s1 + 1, s2 - s1 - 1));
    r.version = std::string(line.substr(s2 + 1));
    size_t q = r.target.find('?');
    r.path = r.target.substr(0, q);
    r.query = q == std::string::npos ? std::string() : r.target.substr(q + 1);
    size_t pos = lineEnd + 2;
    while (pos < raw.size()) {
        size_t end = raw.find("\r\n", pos);
        if (end == std::string::npos || end == pos) {
            break;
        }
        std::string_view h(raw.data() + pos, end - pos);
        size_t colon = h.find(':');
        if (colon != std::string_view::npos) {
            r.headers.emplace_back(std::string(h.substr(0, colon)), trim(h.substr(colon + 1)));
        }
        pos = end + 2;
    }
    return r;
}

}  // namespace

std::string HttpRequest::header(std::string_view name) const {
    for (const auto& [k, v] : headers) {
        if (iequals(k, name)) {
            return v;
        }
    }
    return {};
}

bool HttpRequest::hasHeader(std::string_view name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& h) { return iequals(h.first, name); });
}

std::optional<std::string> HttpRequest::queryValue(std::string_view key) const {
    std::string_view rest(query);
    while (!rest.empty()) {
        size_t amp = rest.find('&');
        std::string_view pair = rest.substr(0, amp);
        size_t eq = pair.find('=');
        if (pair.substr(0, eq) == key) {
            return eq == std::string_view::npos ? std::string() : std::string(pair.substr(eq + 1));
        }
        if (amp == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(amp + 1);
    }
    return std::nullopt;
}

std::string percentDecode(std::string_view text) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 &&
                   hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

Response Response::text(std::string body, std::string contentType) {
    Response r;
    r.headers.emplace_back("Content-Type", std::move(contentType));
    r.body = std::move(body);
    return r;
}

Response Response::error(int code, std::string reason) {
    Response r;
    r.status = code;
    r.reason = std::move(reason);
    r.headers.emplace_back("Content-Type", "text/html");
    r.body = "<html><body>" + std::to_string(code) + "</body></html>";
    return r;
}

struct Server::Client {
    int fd = -1;
    int id = 0;
    std::thread thread;
    std::atomic<bool> done{false};
    // The descriptor stays valid until the thread has been joined, so stop() can always
    // shut it down safely.
    ~Client() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

class Server::ClientConnection final : public Connection {
public:
    ClientConnection(Server& server, Client& client) : m_server(server), m_client(client) {}

    bool send(std::string_view bytes) override {
        while (!bytes.empty()) {
            if (m_server.m_stopping) {
                return false;
            }
            ssize_t n = ::send(m_client.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                m_broken = true;
                return false;
            }
            bytes.remove_prefix(static_cast<size_t>(n));
        }
        return true;
    }

    bool respond(const Response& r) override {
        if (r.delay.count() > 0 && !sleepFor(r.delay)) {
            return false;
        }
        std::string head = r.statusLine.empty()
                               ? "HTTP/1.1 " + std::to_string(r.status) + " " + r.reason
                               : r.statusLine;
        head += "\r\n";
        bool keepAlive = r.keepAlive && r.framing != Framing::CloseDelimited;
        // These statuses never carry a body, whatever the response was given.
        const bool bodiless = r.status == 204 || r.status == 304 || r.status < 200;
        for (const auto& [k, v] : r.headers) {
            head += k + ": " + v + "\r\n";
        }
        {
            std::lock_guard lock(m_server.m_mutex);
            if (!m_server.m_cookie.empty()) {
                head += "Set-Cookie: " + m_server.m_cookie + "\r\n";
            }
        }
        if (r.framing == Framing::ContentLength && !bodiless) {
            head += "Content-Length: " + std::to_string(r.body.size()) + "\r\n";
        } else if (r.framing == Framing::Chunked) {
            head += "Transfer-Encoding: chunked\r\n";
        }
        if (!keepAlive) {
            head += "Connection: close\r\n";
        }
        head += "\r\n";
        if (!send(head)) {
            return false;
        }
        std::string_view body = bodiless ? std::string_view() : std::string_view(r.body);
        bool dropped = r.dropAfterBodyBytes < body.size();
        if (dropped) {
            body = body.substr(0, r.dropAfterBodyBytes);
        }
        if (r.framing == Framing::Chunked) {
            // Chunks of up to 7 bytes, so a client meets several of them.
            for (size_t i = 0; i < body.size(); i += 7) {
                std::string_view part = body.substr(i, 7);
                char size[16];
                std::snprintf(size, sizeof size, "%zx\r\n", part.size());
                if (!send(size) || !send(part) || !send("\r\n")) {
                    return false;
                }
            }
            if (!dropped && !send("0\r\n\r\n")) {
                return false;
            }
        } else if (!send(body)) {
            return false;
        }
        return keepAlive && !dropped && !m_broken;
    }

    bool stopping() const override { return m_server.m_stopping; }

    bool sleepFor(std::chrono::milliseconds d) override {
        auto until = std::chrono::steady_clock::now() + d;
        while (std::chrono::steady_clock::now() < until) {
            if (m_server.m_stopping) {
                return false;
            }
            std::this_thread::sleep_for(std::min<std::chrono::milliseconds>(
                std::chrono::milliseconds(10),
                std::chrono::duration_cast<std::chrono::milliseconds>(
                    until - std::chrono::steady_clock::now()) +
                    std::chrono::milliseconds(1)));
        }
        return true;
    }

    void closeAfterHandler() override { m_takenOver = true; }

    bool reusable() const { return !m_takenOver && !m_broken; }

private:
    Server& m_server;
    Client& m_client;
    bool m_takenOver = false;
    bool m_broken = false;
};

Server::Server(uint16_t port) : m_port(port) {
    if (::pipe(m_wakePipe) != 0) {
        throw std::runtime_error("sim: pipe failed");
    }
    if (port != 0) {
        openListener();
    } else {
        // A port below the system's range for outgoing connections: while this server
        // refuses or restarts, neither a client's connection nor another server asking
        // for any free port can take it over.
        std::random_device seed;
        std::mt19937 pick(seed());
        for (int attempt = 0;; ++attempt) {
            m_port = static_cast<uint16_t>(20000 + pick() % 12000);
            try {
                openListener();
                break;
            } catch (const std::runtime_error&) {
                if (attempt == 200) {
                    throw;
                }
            }
        }
    }
    m_acceptThread = std::thread([this] { acceptLoop(); });
}

Server::~Server() {
    stop();
}

void Server::openListener() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr = loopback(m_port);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
        int err = errno;
        ::close(fd);
        throw std::runtime_error(std::string("sim: cannot listen: ") + std::strerror(err));
    }
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    m_port = ntohs(addr.sin_port);
    m_listenFd = fd;
}

void Server::closeListener() {
    int fd = m_listenFd.exchange(-1);
    if (fd >= 0) {
        ::close(fd);
    }
}

void Server::setRefusing(bool refusing) {
    std::lock_guard lock(m_mutex);
    if (refusing && m_listenFd >= 0) {
        closeListener();
        // A socket bound to the port without listening keeps it ours: connects are
        // refused, and no other server can take the port meanwhile.
        m_reserveFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr = loopback(m_port);
        (void)::bind(m_reserveFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    } else if (!refusing && m_listenFd < 0) {
        if (m_reserveFd >= 0) {
            ::close(m_reserveFd);
            m_reserveFd = -1;
        }
        // Another program's connection may hold the port for a moment: try for a while.
        for (int attempt = 0;; ++attempt) {
            try {
                openListener();
                break;
            } catch (const std::runtime_error&) {
                if (attempt == 100) {
                    throw;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
    }
    char c = 0;
    (void)!::write(m_wakePipe[1], &c, 1);
}

void Server::acceptLoop() {
    while (!m_stopping) {
        int lfd;
        {
            std::lock_guard lock(m_mutex);
            lfd = m_listenFd.load();
        }
        pollfd fds[2] = {{m_wakePipe[0], POLLIN, 0}, {lfd, POLLIN, 0}};
        int n = ::poll(fds, lfd >= 0 ? 2 : 1, 100);
        if (n <= 0) {
            continue;
        }
        if (fds[0].revents & POLLIN) {
            char buf[16];
            (void)!::read(m_wakePipe[0], buf, sizeof buf);
            continue;
        }
        if (lfd < 0 || !(fds[1].revents & POLLIN)) {
            continue;
        }
        int cfd;
        {
            // The listener may have been closed (refusing) since the poll.
            std::lock_guard lock(m_mutex);
            cfd = m_listenFd.load() == lfd ? ::accept4(lfd, nullptr, nullptr, SOCK_CLOEXEC) : -1;
        }
        if (cfd < 0) {
            continue;
        }
        int one = 1;
        ::setsockopt(cfd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        auto client = std::make_shared<Client>();
        client->fd = cfd;
        client->id = ++m_accepted;
        std::lock_guard lock(m_mutex);
        // Forget connections that have ended.
        std::erase_if(m_clients, [](const std::shared_ptr<Client>& c) {
            if (c->done && c->thread.joinable()) {
                c->thread.join();
            }
            return c->done.load();
        });
        m_clients.push_back(client);
        client->thread = std::thread([this, client] { serve(client); });
    }
}

void Server::serve(std::shared_ptr<Client> client) {
    ClientConnection conn(*this, *client);
    std::string buffer;
    bool open = true;
    while (open && !m_stopping) {
        size_t end;
        while ((end = buffer.find("\r\n\r\n")) == std::string::npos) {
            if (buffer.size() > kMaxRequestBytes) {
                open = false;
                break;
            }
            pollfd pfd{client->fd, POLLIN, 0};
            int pr = ::poll(&pfd, 1, 100);
            if (m_stopping) {
                open = false;
                break;
            }
            if (pr <= 0) {
                continue;
            }
            char chunk[4096];
            ssize_t n = ::recv(client->fd, chunk, sizeof chunk, 0);
            if (n <= 0) {
                open = false;
                break;
            }
            buffer.append(chunk, static_cast<size_t>(n));
        }
        if (!open) {
            break;
        }
        std::string raw = buffer.substr(0, end + 4);
        buffer.erase(0, end + 4);
        auto request = parseRequest(raw);
        if (!request) {
            conn.respond(Response::error(400, "Bad Request"));
            break;
        }
        request->connectionId = client->id;
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(*request);
        }
        log(request->method + " " + request->target);
        open = dispatch(*request, conn) && conn.reusable();
    }
    ::shutdown(client->fd, SHUT_RDWR);
    client->done = true;
}

bool Server::dispatch(const HttpRequest& request, ClientConnection& conn) {
    std::optional<Response> override;
    Handler handler;
    {
        std::lock_guard lock(m_mutex);
        for (const std::string& key : {request.path, std::string()}) {
            auto it = m_overrides.find(key);
            if (it == m_overrides.end()) {
                continue;
            }
            override = it->second.response;
            if (it->second.times > 0 && --it->second.times == 0) {
                m_overrides.erase(it);
            }
            break;
        }
        if (!override) {
            auto it = m_routes.find(request.path);
            if (it != m_routes.end()) {
                handler = it->second;
            }
        }
        if (!override && !handler) {
            size_t longest = 0;
            for (const auto& [prefix, prefixHandler] : m_prefixRoutes) {
                if (request.path.starts_with(prefix) && prefix.size() >= longest) {
                    longest = prefix.size();
                    handler = prefixHandler;
                }
            }
        }
    }
    if (override) {
        return conn.respond(*override);
    }
    if (!handler) {
        return conn.respond(Response::error(404, "Not Found"));
    }
    handler(request, conn);
    return true;
}

void Server::route(const std::string& path, Handler handler) {
    std::lock_guard lock(m_mutex);
    m_routes[path] = std::move(handler);
}

void Server::routePrefix(const std::string& prefix, Handler handler) {
    std::lock_guard lock(m_mutex);
    m_prefixRoutes[prefix] = std::move(handler);
}

void Server::overrideNext(const std::string& path, Response response, int times) {
    std::lock_guard lock(m_mutex);
    m_overrides[path] = Override{std::move(response), times};
}

void Server::clearOverrides() {
    std::lock_guard lock(m_mutex);
    m_overrides.clear();
}

void Server::setCookie(std::string value) {
    std::lock_guard lock(m_mutex);
    m_cookie = std::move(value);
}

void Server::setLogger(Logger logger) {
    std::lock_guard lock(m_mutex);
    m_logger = std::move(logger);
}

void Server::log(const std::string& line) const {
    Logger logger;
    {
        std::lock_guard lock(m_mutex);
        logger = m_logger;
    }
    if (logger) {
        logger(line);
    }
}

std::vector<HttpRequest> Server::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void Server::clearRequests() {
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

std::string Server::hostPort() const {
    return "127.0.0.1:" + std::to_string(m_port);
}

std::string Server::url(std::string_view target) const {
    return "http://" + hostPort() + std::string(target);
}

void Server::stop() {
    if (m_stopping.exchange(true)) {
        return;
    }
    char c = 0;
    (void)!::write(m_wakePipe[1], &c, 1);
    if (m_acceptThread.joinable()) {
        m_acceptThread.join();
    }
    closeListener();
    if (m_reserveFd >= 0) {
        ::close(m_reserveFd);
        m_reserveFd = -1;
    }
    std::vector<std::shared_ptr<Client>> clients;
    {
        std::lock_guard lock(m_mutex);
        clients.swap(m_clients);
    }
    for (auto& c : clients) {
        ::shutdown(c->fd, SHUT_RDWR);
        if (c->thread.joinable()) {
            c->thread.join();
        }
    }
    ::close(m_wakePipe[0]);
    ::close(m_wakePipe[1]);
}

}  // namespace velora::sim
