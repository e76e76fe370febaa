#include "service/http_error.h"

namespace velora {

void throwSocketError(SocketError error) {
    const char* description = "";
    switch (error) {
        case SocketError::HostNotFound:
            description = "Host not found.";
            break;
        case SocketError::ConnectionRefused:
            description = "Connection refused.";
            break;
        case SocketError::TimedOut:
            description = "Connection timed out.";
            break;
        case SocketError::ConnectionReset:
            description = "Connection reset by peer.";
            break;
        case SocketError::ConnectionAborted:
            description = "Software caused connection abort.";
            break;
        case SocketError::NetworkUnreachable:
            description = "Network is unreachable.";
            break;
        case SocketError::HostUnreachable:
            description = "No route to host.";
            break;
    }
    throw HttpError(QStringLiteral("Socket Error # %1\r\n%2")
                        .arg(static_cast<int>(error))
                        .arg(QLatin1String(description)));
}

}  // namespace velora
