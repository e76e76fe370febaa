#include "service/http_connection.h"

#include <curl/curl.h>

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <cerrno>

#include "service/http_error.h"

#ifdef _WIN32
#include <winsock2.h>
#define velora_poll WSAPoll
#else
#include <poll.h>
#define velora_poll ::poll
#endif

Q_LOGGING_CATEGORY(lcHttp, "velora.http", QtWarningMsg)

namespace velora {
namespace {

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

void ensureCurl() {
    static CurlGlobal global;
}

bool isCancelled(const WaitPolicy& wait) {
    return wait.cancelled && wait.cancelled->load();
}

[[noreturn]] void throwCancelled() {
    throw HttpError(QStringLiteral("The request was cancelled."));
}

SocketError socketErrorFor(CURLcode code, long osErrno) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
            return SocketError::HostNotFound;
        case CURLE_OPERATION_TIMEDOUT:
            return SocketError::TimedOut;
        default:
            break;
    }
    switch (osErrno) {
        case ECONNREFUSED:
            return SocketError::ConnectionRefused;
        case ENETUNREACH:
            return SocketError::NetworkUnreachable;
        case EHOSTUNREACH:
            return SocketError::HostUnreachable;
        case ETIMEDOUT:
            return SocketError::TimedOut;
        case ECONNABORTED:
        case EPIPE:
            return SocketError::ConnectionAborted;
        default:
            break;
    }
    return code == CURLE_COULDNT_CONNECT ? SocketError::ConnectionRefused
                                         : SocketError::ConnectionReset;
}

}  // namespace

struct HttpConnection::Handles {
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    curl_socket_t socket = CURL_SOCKET_BAD;

    ~Handles() {
        if (easy) {
            curl_multi_remove_handle(multi, easy);
            curl_easy_cleanup(easy);
        }
        if (multi) {
            curl_multi_cleanup(multi);
        }
    }

    [[noreturn]] void fail(CURLcode code) const {
        long osErrno = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);
        qCDebug(lcHttp) << "network failure:" << curl_easy_strerror(code) << "errno" << osErrno;
        throwSocketError(socketErrorFor(code, osErrno));
    }

    // Waits until the socket is ready; pumps events every `pumpMs` of waiting.
    // Returns false when the overall time-out passed.
    bool waitSocket(bool forWrite, int pumpMs, int timeoutMs, const WaitPolicy& wait) const {
        QElapsedTimer total;
        total.start();
        for (;;) {
            if (isCancelled(wait)) {
                throwCancelled();
            }
            pollfd pfd{};
            pfd.fd = socket;
            pfd.events = forWrite ? POLLOUT : POLLIN;
            const int left = timeoutMs - static_cast<int>(total.elapsed());
            if (left <= 0) {
                return false;
            }
            const int n = velora_poll(&pfd, 1, qMin(left, pumpMs));
            if (n > 0) {
                return true;
            }
            if (n < 0 && errno != EINTR) {
                return true;  // let the next call report the error
            }
            if (n == 0 && !forWrite && wait.pumpEvents) {
                wait.pumpEvents();
            }
        }
    }
};

HttpConnection::HttpConnection() = default;
HttpConnection::~HttpConnection() = default;

bool HttpConnection::isOpen() const {
    return m_handles != nullptr;
}

bool HttpConnection::isOpenTo(const QByteArray& host, int port) const {
    return m_handles && m_host.compare(host, Qt::CaseInsensitive) == 0 && m_port == port;
}

void HttpConnection::close() {
    if (m_handles) {
        qCDebug(lcHttp) << "closing connection to" << m_host << m_port;
    }
    m_handles.reset();
}

void HttpConnection::open(const QByteArray& host, int port, const WaitPolicy& wait) {
    close();
    ensureCurl();
    auto h = std::make_unique<Handles>();
    h->multi = curl_multi_init();
    h->easy = curl_easy_init();
    if (!h->multi || !h->easy) {
        throw HttpError(QStringLiteral("Out of memory."));
    }
    // The host goes in brackets when it is an IPv6 literal.
    const QByteArray hostPart = host.contains(':') ? '[' + host + ']' : host;
    const QByteArray url = "http://" + hostPart + ':' + QByteArray::number(port) + '/';
    curl_easy_setopt(h->easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(h->easy, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(h->easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h->easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(wait.connectTimeoutMs));
    curl_easy_setopt(h->easy, CURLOPT_PROXY, "");  // no proxy, whatever the environment says
    curl_multi_add_handle(h->multi, h->easy);

    QElapsedTimer sincePump;
    sincePump.start();
    for (;;) {
        if (isCancelled(wait)) {
            throwCancelled();
        }
        int running = 0;
        curl_multi_perform(h->multi, &running);
        int queued = 0;
        if (CURLMsg* msg = curl_multi_info_read(h->multi, &queued);
            msg && msg->msg == CURLMSG_DONE) {
            if (msg->data.result != CURLE_OK) {
                h->fail(msg->data.result);
            }
            break;
        }
        curl_multi_poll(h->multi, nullptr, 0, 25, nullptr);
        if (sincePump.elapsed() >= 125) {
            if (wait.pumpEvents) {
                wait.pumpEvents();
            }
            sincePump.restart();
        }
    }
    curl_easy_getinfo(h->easy, CURLINFO_ACTIVESOCKET, &h->socket);
    if (h->socket == CURL_SOCKET_BAD) {
        throwSocketError(SocketError::ConnectionAborted);
    }
    qCDebug(lcHttp) << "connected to" << host << port;
    m_handles = std::move(h);
    m_host = host;
    m_port = port;
}

void HttpConnection::sendAll(const QByteArray& bytes, const WaitPolicy& wait) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        size_t n = 0;
        const CURLcode rc = curl_easy_send(m_handles->easy, bytes.constData() + sent,
                                           static_cast<size_t>(bytes.size() - sent), &n);
        if (rc == CURLE_AGAIN) {
            // Sending does not pump events; it only waits for room in the socket.
            if (!m_handles->waitSocket(true, 1000, wait.stallTimeoutMs, wait)) {
                throwSocketError(SocketError::TimedOut);
            }
            continue;
        }
        if (rc != CURLE_OK) {
            m_handles->fail(rc);
        }
        sent += static_cast<qsizetype>(n);
    }
}

qsizetype HttpConnection::receive(char* buffer, qsizetype capacity, const WaitPolicy& wait) {
    if (!m_sincePump.isValid()) {
        m_sincePump.start();
    }
    for (;;) {
        size_t n = 0;
        const CURLcode rc =
            curl_easy_recv(m_handles->easy, buffer, static_cast<size_t>(capacity), &n);
        if (rc == CURLE_OK) {
            if (m_sincePump.elapsed() >= 250 && wait.pumpEvents) {
                wait.pumpEvents();
                m_sincePump.restart();
            }
            return static_cast<qsizetype>(n);
        }
        if (rc != CURLE_AGAIN) {
            m_handles->fail(rc);
        }
        if (!m_handles->waitSocket(false, 250, wait.stallTimeoutMs, wait)) {
            throwSocketError(SocketError::TimedOut);
        }
    }
}

}  // namespace velora
