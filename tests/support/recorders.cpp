#include "support/recorders.h"

#include <QFile>

namespace velora::test {

void TestWorld::writeSettings(const QByteArray& content) const {
    QFile f(dir.filePath(QStringLiteral("ayar.ini")));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(content);
    }
}

}  // namespace velora::test
