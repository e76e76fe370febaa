#include "service/listener_message.h"

#include "service/cp1254.h"
#include "service/text_rules.h"

namespace velora {

QByteArray listenerMessageUrl(const QByteArray& serviceHost, const ListenerMessage& m) {
    auto value = [](const QString& text) { return UrlFormEncode(cp1254::encode(text)); };
    return "http://" + serviceHost + "/iphonebilgi.aspx?i=rovivadudad_uvudo_vadudi" +
           "&x_adsoyad=" + value(m.name) + "&x_mail=" + value(m.email) +
           "&x_mesaj=" + value(m.message) +
           "&x_name=" + value(QStringLiteral("Zarudev Oziver-Diraz Velora")) +
           "&x_sysver=" + value(m.version) + "&x_uuid=" + value(m.deviceId);
}

}  // namespace velora
