#include "service/http_client.h"

#include <QLoggingCategory>
#include <QNetworkCookie>
#include <QUrl>

#include "service/cp1254.h"
#include "service/http_error.h"
#include "service/http_url.h"

Q_DECLARE_LOGGING_CATEGORY(lcHttp)

namespace velora {
namespace {

QUrl cookieUrl(const HttpUrl& url) {
    return QUrl(QString::fromLatin1("http://" + url.host + ':' + QByteArray::number(url.port) +
                                    url.target));
}

// Whether a response stops the request: redirects (any Location) and every status
// outside the 200s.
bool refused(const HttpResponseParser& response) {
    const int s = response.status();
    return response.hasHeader("Location") || s < 200 || s > 299;
}

}  // namespace

HttpProfile HttpProfile::service() {
    HttpProfile p;
    p.acceptEncoding = "UTF-8, identity";
    p.contentType = QByteArray("text/html");
    return p;
}

HttpProfile HttpProfile::download() {
    HttpProfile p;
    p.acceptEncoding = "identity";
    return p;
}

HttpClient::HttpClient(HttpProfile profile, HttpLimits limits)
    : m_profile(std::move(profile)),
      m_limits(limits),
      m_connection(std::make_unique<HttpConnection>()) {
    m_wait.cancelled = std::make_shared<std::atomic<bool>>(false);
}

HttpClient::~HttpClient() = default;

void HttpClient::setWaitPolicy(WaitPolicy policy) {
    if (!policy.cancelled) {
        policy.cancelled = m_wait.cancelled;
    }
    m_wait = std::move(policy);
}

void HttpClient::cancelAll() {
    m_wait.cancelled->store(true);
}

QByteArray HttpClient::requestBytes(const HttpUrl& url) const {
    QByteArray r;
    r += "GET " + url.target + " HTTP/1.1\r\n";
    if (m_profile.contentType) {
        r += "Content-Type: " + *m_profile.contentType + "\r\n";
    }
    r += "Host: " + url.hostHeader() + "\r\n";
    r += "Accept: " + m_profile.accept + "\r\n";
    r += "Accept-Encoding: " + m_profile.acceptEncoding + "\r\n";
    r += "User-Agent: " + m_profile.userAgent + "\r\n";
    const QList<QNetworkCookie> cookies = m_cookies.cookiesForUrl(cookieUrl(url));
    if (!cookies.isEmpty()) {
        QByteArray line;
        for (const QNetworkCookie& c : cookies) {
            if (!line.isEmpty()) {
                line += "; ";
            }
            line += c.toRawForm(QNetworkCookie::NameAndValueOnly);
        }
        r += "Cookie: " + line + "\r\n";
    }
    r += "\r\n";
    return r;
}

QByteArray HttpClient::get(const QByteArray& address) {
    if (m_wait.cancelled->load()) {
        throw HttpError(QStringLiteral("The request was cancelled."));
    }
    const std::optional<HttpUrl> url = parseHttpUrl(address);
    if (!url) {
        throw HttpError(QStringLiteral("Invalid address: %1").arg(cp1254::decode(address)));
    }
    if (url->scheme != "http") {
        throw HttpError(
            QStringLiteral("Protocol not supported: %1").arg(QString::fromLatin1(url->scheme)));
    }
    // The client's own connection, unless an outer request on this client is using it.
    std::unique_ptr<HttpConnection> connection = std::move(m_connection);
    const bool nested = connection == nullptr;
    if (nested) {
        qCDebug(lcHttp) << "request while another waits: using a connection of its own";
        connection = std::make_unique<HttpConnection>();
    }
    struct GiveBack {
        HttpClient& client;
        std::unique_ptr<HttpConnection>& connection;
        bool nested;
        ~GiveBack() {
            if (!nested) {
                client.m_connection = std::move(connection);
            }
        }
    } giveBack{*this, connection, nested};

    const QDeadlineTimer deadline(m_wait.totalTimeoutMs);
    const bool reusable = connection->isOpenTo(url->host, url->port);
    if (!reusable) {
        connection->open(url->host, url->port, m_wait);
    }
    try {
        return exchange(*connection, *url, reusable, deadline);
    } catch (const HttpError&) {
        connection->close();
        throw;
    }
}

QByteArray HttpClient::exchange(HttpConnection& connection, const HttpUrl& url, bool reused,
                                const QDeadlineTimer& deadline) {
    const QByteArray request = requestBytes(url);
    HttpResponseParser response(m_limits);
    try {
        connection.sendAll(request, m_wait);
    } catch (const HttpError&) {
        if (!reused) {
            throw;
        }
        // The server closed the idle connection: one fresh attempt.
        connection.open(url.host, url.port, m_wait);
        return exchange(connection, url, false, deadline);
    }
    char buffer[16384];
    WaitPolicy wait = m_wait;
    HttpResponseParser::Result state = HttpResponseParser::Result::NeedMore;
    while (state != HttpResponseParser::Result::Done) {
        // Silence may last until the stall limit, but never past the whole request's.
        if (const qint64 left = deadline.remainingTime(); left >= 0) {
            if (left == 0) {
                throwSocketError(SocketError::TimedOut);
            }
            wait.stallTimeoutMs = static_cast<int>(qMin<qint64>(m_wait.stallTimeoutMs, left));
        }
        qsizetype n = 0;
        try {
            n = connection.receive(buffer, sizeof buffer, wait);
        } catch (const HttpError&) {
            if (reused && !response.receivedAnything()) {
                connection.open(url.host, url.port, m_wait);
                return exchange(connection, url, false, deadline);
            }
            throw;
        }
        if (n == 0 && reused && !response.receivedAnything()) {
            connection.open(url.host, url.port, m_wait);
            return exchange(connection, url, false, deadline);
        }
        if (n == 0 && response.finish() != HttpResponseParser::Result::Done) {
            throwSocketError(SocketError::ConnectionReset);  // lost mid-response
        }
        state = n > 0 ? response.feed(buffer, n) : HttpResponseParser::Result::Done;
        if (state == HttpResponseParser::Result::HeadersDone) {
            const QUrl cookieOrigin = cookieUrl(url);
            for (const QByteArray& name : {QByteArray("Set-Cookie"), QByteArray("Set-Cookie2")}) {
                for (const QByteArray& value : response.headerValues(name)) {
                    m_cookies.setCookiesFromUrl(QNetworkCookie::parseCookies(value), cookieOrigin);
                }
            }
            if (refused(response)) {
                connection.close();
                throw HttpError(cp1254::decode(response.statusLine()));
            }
            state = response.continueBody();
        }
        if (state == HttpResponseParser::Result::Failed) {
            throw HttpError(response.error());
        }
    }
    if (!response.keepAlive()) {
        connection.close();
    }
    return response.body();
}

}  // namespace velora
