#include "playback/stream_texts.h"

#include <cstring>

namespace velora::playback {

std::optional<QByteArray> ParseStreamTitle(const char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    const QByteArray t(text);
    const qsizetype p = t.indexOf("StreamTitle=");  // 0-based
    if (p < 0) {
        return std::nullopt;
    }
    const qsizetype q = t.indexOf(';');  // 0-based, -1 when none
    // 1-based p' = p + 1, q' = q + 1: count = q' - p' - 14, from 1-based p' + 13.
    const qsizetype count = (q + 1) - (p + 1) - 14;
    if (count <= 0) {
        return QByteArray();
    }
    return t.mid(p + 13, count);
}

QList<PlayerStatus> scanIcyHeaders(const char* block) {
    QList<PlayerStatus> reports;
    if (block == nullptr) {
        return reports;
    }
    // Bounded walk: a block is never longer than the engine's header limit.
    for (const char* line = block; *line != '\0'; line += std::strlen(line) + 1) {
        const QByteArray text(line);
        if (text.startsWith("icy-name:")) {
            reports.append({STATUS_STATION_NAME, 0, text.mid(9)});
        } else if (text.startsWith("icy-br:")) {
            reports.append({STATUS_BITRATE, 0, "BitRate: " + text.mid(7)});
        }
    }
    return reports;
}

QString trimmedTitle(const QString& text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b).unicode() <= ' ')
        ++b;
    while (e > b && text.at(e - 1).unicode() <= ' ')
        --e;
    return text.mid(b, e - b);
}

bool coverLookupWanted(const QString& title) {
    QString lower = title;
    for (QChar& c : lower) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) {
            c = c.toLower();  // ASCII letters only, as the system always compared
        }
    }
    return !title.isEmpty() && !lower.contains(QStringLiteral("reklam"));
}

std::optional<QString> bitRateLabel(const QString& serverText) {
    if (!serverText.startsWith(QStringLiteral("BitRate:"))) {
        return std::nullopt;
    }
    // At most five characters, without blanks and control characters at either end.
    return trimmedTitle(serverText.mid(8, 5)) + QStringLiteral(" KBit");
}

}  // namespace velora::playback
