#pragma once
// The HTTP GET client of the services: request line and header block written by us, in
// a fixed order, nothing added; redirects never followed; cookies kept in memory; the
// body returned as raw bytes.
//
// Thread: one thread (the main thread in the program). A request blocks its caller but
// pumps events while it waits, so a handler may start a second request while the first
// one waits. The second one never shares the first one's connection: it gets a
// connection of its own for its duration (same settings, same cookie store).

#include <QByteArray>
#include <QDeadlineTimer>
#include <QNetworkCookieJar>
#include <memory>
#include <optional>

#include "service/http_connection.h"
#include "service/http_response_parser.h"

namespace velora {

struct HttpProfile {
    QByteArray userAgent = "Mozilla/3.0 (compatible; Indy Library)";
    QByteArray accept = "text/html, */*";
    QByteArray acceptEncoding;
    std::optional<QByteArray> contentType;

    // The shared service client.
    static HttpProfile service();
    // The client that downloads pictures: default settings.
    static HttpProfile download();
};

class HttpClient {
public:
    explicit HttpClient(HttpProfile profile = HttpProfile::service(), HttpLimits limits = {});
    ~HttpClient();

    // GETs `url` ("http://host[:port]/target"). Returns the body bytes unchanged.
    // Throws HttpError with the text the listener sees.
    QByteArray get(const QByteArray& url);

    void setWaitPolicy(WaitPolicy policy);
    // The waiting of this client, cancellation included: a client made for one request
    // on the same thread waits and gives up alike.
    const WaitPolicy& waitPolicy() const { return m_wait; }
    // Makes every waiting and future request fail at once (the program is closing).
    void cancelAll();
    QNetworkCookieJar& cookies() { return m_cookies; }

private:
    QByteArray requestBytes(const struct HttpUrl& url) const;
    QByteArray exchange(HttpConnection& connection, const struct HttpUrl& url, bool reused,
                        const QDeadlineTimer& deadline);

    HttpProfile m_profile;
    HttpLimits m_limits;
    WaitPolicy m_wait;
    QNetworkCookieJar m_cookies;
    std::unique_ptr<HttpConnection> m_connection;  // null while a request uses it
};

}  // namespace velora
