#include "service/device_identity.h"

#include <QNetworkInterface>

namespace velora {

QString GetMacAddress() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& nic : interfaces) {
        const auto flags = nic.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        // hardwareAddress() is "AA:BB:CC:DD:EE:FF" for Ethernet-like adapters.
        const QStringList parts = nic.hardwareAddress().split(':');
        if (parts.size() != 6) {
            continue;
        }
        bool nonZero = false;
        for (const QString& p : parts) {
            nonZero = nonZero || p.toUInt(nullptr, 16) != 0;
        }
        if (nonZero) {
            return parts.join('-').toUpper();
        }
    }
    return QStringLiteral("00-00-00-00-00-00");
}

}  // namespace velora
