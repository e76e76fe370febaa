#include "service/http_url.h"

namespace velora {

QByteArray HttpUrl::hostHeader() const {
    return port == 80 ? host : host + ':' + QByteArray::number(port);
}

std::optional<HttpUrl> parseHttpUrl(const QByteArray& url) {
    for (const char c : url) {
        if (static_cast<unsigned char>(c) <= 32 || c == 127) {
            return std::nullopt;
        }
    }
    const qsizetype sep = url.indexOf("://");
    if (sep <= 0) {
        return std::nullopt;
    }
    HttpUrl u;
    u.scheme = url.left(sep).toLower();
    const qsizetype authorityStart = sep + 3;
    qsizetype authorityEnd = authorityStart;
    while (authorityEnd < url.size() && url[authorityEnd] != '/' && url[authorityEnd] != '?' &&
           url[authorityEnd] != '#') {
        ++authorityEnd;
    }
    QByteArray authority = url.mid(authorityStart, authorityEnd - authorityStart);
    if (const qsizetype at = authority.lastIndexOf('@'); at >= 0) {
        authority = authority.mid(at + 1);  // user information is never sent
    }
    const qsizetype colon = authority.lastIndexOf(':');
    if (colon >= 0 && !authority.startsWith('[')) {
        bool ok = false;
        const int port = authority.mid(colon + 1).toInt(&ok);
        if (!ok || port < 1 || port > 65535) {
            return std::nullopt;
        }
        u.port = port;
        authority.truncate(colon);
    }
    if (authority.isEmpty()) {
        return std::nullopt;
    }
    u.host = authority;
    u.target = url.mid(authorityEnd);
    if (const qsizetype hash = u.target.indexOf('#'); hash >= 0) {
        u.target.truncate(hash);  // a fragment never travels
    }
    if (u.target.isEmpty() || u.target.startsWith('?')) {
        u.target.prepend('/');
    }
    return u;
}

}  // namespace velora
