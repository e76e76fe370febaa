#include "service/service_hosts.h"

#include <QtGlobal>

namespace velora {
namespace {

QByteArray pick(const char* variable, const char* built) {
    const QByteArray value = qgetenv(variable).trimmed();
    return value.isEmpty() ? QByteArray(built) : value;
}

}  // namespace

ServiceHosts ServiceHosts::fromBuildAndEnvironment() {
    return {pick("VELORA_SERVICE_HOST", VELORA_BUILD_SERVICE_HOST),
            pick("VELORA_WEB_HOST", VELORA_BUILD_WEB_HOST),
            pick("VELORA_IMAGE_SEARCH_HOST", VELORA_BUILD_IMAGE_SEARCH_HOST)};
}

}  // namespace velora
