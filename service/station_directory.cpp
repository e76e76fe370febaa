#include "service/station_directory.h"

#include "service/cp1254.h"
#include "service/text_rules.h"

namespace velora {

QString decodeServiceUtf8(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const qsizetype n = bytes.size();
    auto trail = [&](qsizetype i) {
        return i < n && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80;
    };
    for (qsizetype i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.append(QChar(b));
            ++i;
        } else if (b & 0x20) {
            if (!trail(i + 1) || !trail(i + 2)) {
                return {};
            }
            const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
            const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
            out.append(QChar(
                static_cast<char16_t>(((b & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F))));
            i += 3;
        } else {
            if (!trail(i + 1)) {
                return {};
            }
            const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
            out.append(QChar(static_cast<char16_t>(((b & 0x1F) << 6) | (b1 & 0x3F))));
            i += 2;
        }
    }
    return out;
}

QByteArray normaliseDirectoryAnswer(const QByteArray& body) {
    QByteArray text = ReplaceAll(body, "\r\n", "__");
    text = cp1254::encode(decodeServiceUtf8(text));
    text = ReplaceAll(text, "\r", "__");
    text = ReplaceAll(text, "\n", "__");
    return ReplaceAll(text, "__", "\r\n");
}

StationDirectory::StationDirectory(const QByteArray& text) {
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype at = text.indexOf("\r\n", from);
        if (at < 0) {
            m_lines.append(text.mid(from));
            break;
        }
        m_lines.append(text.mid(from, at - from));
        from = at + 2;
    }
}

QString StationDirectory::line(qsizetype index) const {
    if (index < 0 || index >= m_lines.size()) {
        return {};
    }
    return cp1254::decode(QByteArrayView(m_lines[index])
                              .first(qMin<qsizetype>(m_lines[index].size(), kMaxLineLength)));
}

void StationDirectory::removeFirstLine() {
    if (!m_lines.isEmpty()) {
        m_lines.removeFirst();
    }
}

QString StationDirectory::text() const {
    QString out;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i > 0) {
            out += QStringLiteral("\r\n");
        }
        out += cp1254::decode(m_lines[i]);
    }
    return out;
}

}  // namespace velora
