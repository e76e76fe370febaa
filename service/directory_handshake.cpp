#include "service/directory_handshake.h"

#include "service/cp1254.h"
#include "service/text_rules.h"

namespace velora {

QByteArray directoryRequestUrl(const DirectoryQuery& q) {
    return "http://" + q.serviceHost + "/xml.aspx?i=" + cp1254::encode(q.brand) +
           "&mac=" + cp1254::encode(q.deviceId) + "&v=" + cp1254::encode(q.version) +
           "&rid=" + QByteArray::number(q.savedStationIndex);
}

DirectoryAnswer readDirectoryAnswer(const QByteArray& body, const QString& ourVersion) {
    DirectoryAnswer answer;
    answer.directory = StationDirectory(normaliseDirectoryAnswer(body));
    const int32_t latest = readInteger(cp1254::encode(answer.directory.line(0)), 0);
    answer.updateOffered = readInteger(cp1254::encode(ourVersion), 0) < latest;
    answer.downloadAddress = answer.directory.line(1);
    if (answer.directory.lineCount() > 2) {
        answer.directory.removeFirstLine();
        answer.directory.removeFirstLine();
        for (int i = 0; i < answer.directory.stationCount(); ++i) {
            answer.stationNames.append(answer.directory.field(i, 1));
        }
    }
    return answer;
}

}  // namespace velora
