#pragma once

#include <QByteArray>

namespace velora {

// Where the services live: settings of the build, each overridable at run time by the
// environment variable of the same name (VELORA_SERVICE_HOST, VELORA_WEB_HOST,
// VELORA_IMAGE_SEARCH_HOST), each "host[:port]".
struct ServiceHosts {
    QByteArray service;      // directory and listener messages
    QByteArray web;          // the brand's web site (feeds)
    QByteArray imageSearch;  // cover-art image search

    static ServiceHosts fromBuildAndEnvironment();
};

}  // namespace velora
