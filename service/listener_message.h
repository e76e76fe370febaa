#pragma once

#include <QByteArray>
#include <QString>

namespace velora {

struct ListenerMessage {
    QString name;
    QString email;
    QString message;  // lines joined by CR LF
    QString version;
    QString deviceId;
};

// "http://<host>/iphonebilgi.aspx?i=...&x_adsoyad=..." with every value in code page
// 1254 bytes through UrlFormEncode, keys in their fixed order.
QByteArray listenerMessageUrl(const QByteArray& serviceHost, const ListenerMessage& message);

}  // namespace velora
