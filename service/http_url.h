#pragma once

#include <QByteArray>
#include <optional>

namespace velora {

// "scheme://host[:port]" followed by the request target exactly as the caller built it.
struct HttpUrl {
    QByteArray scheme;  // lower case
    QByteArray host;
    int port = 80;
    QByteArray target;  // path and query, never escaped or unescaped; "/" when empty

    // Value of the Host header: the host, plus ":port" when the port is not 80.
    QByteArray hostHeader() const;
};

// nullopt for text without "scheme://host"; a port that is not a number in 1..65535
// also fails, and so does an address holding a blank, a control character or DEL
// anywhere: sent as it stands it would split the request line or add header lines
// (addresses read from pages and titles reach the client unescaped).
std::optional<HttpUrl> parseHttpUrl(const QByteArray& url);

}  // namespace velora
