#include "service/ini_file.h"

#include <QFile>
#include <QFileInfo>

#include "service/text_rules.h"

namespace velora {

std::optional<QByteArray> readIniValue(const QString& path, const QByteArray& section,
                                       const QByteArray& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // A settings file is tiny; a huge one is not ours and is not read past 1 MB.
    const QByteArray content = file.read(1024 * 1024);
    bool inSection = false;
    bool seenSection = false;
    for (QByteArray line : content.split('\n')) {
        line = line.trimmed();
        if (line.startsWith('[')) {
            if (seenSection && inSection) {
                return std::nullopt;  // only the first matching section counts
            }
            const qsizetype close = line.indexOf(']');
            const QByteArray name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection || line.startsWith(';')) {
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0) {
            continue;
        }
        QByteArray value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && ((value.startsWith('"') && value.endsWith('"')) ||
                                  (value.startsWith('\'') && value.endsWith('\'')))) {
            value = value.mid(1, value.size() - 2);
        }
        return value;
    }
    return std::nullopt;
}

int32_t readSavedStationIndex(const QString& executablePath) {
    const QString path = QFileInfo(executablePath).absolutePath() + QStringLiteral("/ayar.ini");
    return readInteger(readIniValue(path, "ayar", "ayar1").value_or(QByteArray()), 0);
}

}  // namespace velora
