#pragma once
// The start-up request to the directory service and the reading of its answer: the
// latest version with its download address, then the station directory.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "service/station_directory.h"

namespace velora {

struct DirectoryQuery {
    QByteArray serviceHost;  // host[:port]
    QString brand;           // "velora"
    QString version;         // "1003"
    int32_t savedStationIndex = 0;
    QString deviceId;  // GetMacAddress()
};

// "http://<host>/xml.aspx?i=..&mac=..&v=..&rid=.." (values travel unescaped: they hold
// letters, digits and "-" only).
QByteArray directoryRequestUrl(const DirectoryQuery& query);

struct DirectoryAnswer {
    bool updateOffered = false;  // our version is below the announced one
    QString downloadAddress;     // line 1 of the answer
    StationDirectory directory;  // without the two header lines when there were more than two
    QStringList stationNames;    // field 1 of each complete record, in order
};

DirectoryAnswer readDirectoryAnswer(const QByteArray& body, const QString& ourVersion);

}  // namespace velora
