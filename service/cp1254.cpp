#include "service/cp1254.h"

#include <QHash>
#include <array>

namespace velora::cp1254 {
namespace {

constexpr std::array<char16_t, 32> k80to9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};
constexpr std::array<char16_t, 16> kD0toDF = {0x011E, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5,
                                              0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB,
                                              0x00DC, 0x0130, 0x015E, 0x00DF};
constexpr std::array<char16_t, 16> kF0toFF = {0x011F, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5,
                                              0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB,
                                              0x00FC, 0x0131, 0x015F, 0x00FF};

char16_t codePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F)
        return k80to9F[b - 0x80];
    if (b >= 0xD0 && b <= 0xDF)
        return kD0toDF[b - 0xD0];
    if (b >= 0xF0)
        return kF0toFF[b - 0xF0];
    return b;
}

const QHash<char16_t, char>& reverseTable() {
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int b = 0x80; b <= 0xFF; ++b) {
            t.insert(codePoint(static_cast<unsigned char>(b)), static_cast<char>(b));
        }
        return t;
    }();
    return table;
}

// Similar characters for a few common ones outside the code page that do not reduce
// to a base letter by decomposition.
char bestFitSpecial(char16_t c) {
    switch (c) {
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2015:
        case 0x2212:
            return '-';
        case 0x201B:
        case 0x2032:
            return '\'';
        case 0x201F:
        case 0x2033:
            return '"';
        case 0x2000:
        case 0x2001:
        case 0x2002:
        case 0x2003:
        case 0x2004:
        case 0x2005:
        case 0x2006:
        case 0x2007:
        case 0x2008:
        case 0x2009:
        case 0x200A:
        case 0x202F:
        case 0x205F:
        case 0x3000:
            return ' ';
        case 0x2024:
            return '.';
        case 0x2044:
        case 0x2215:
            return '/';
        case 0x0110:
            return 'D';
        case 0x0111:
            return 'd';
        case 0x0141:
            return 'L';
        case 0x0142:
            return 'l';
        default:
            return 0;
    }
}

}  // namespace

QChar toUnicode(unsigned char byte) {
    return QChar(codePoint(byte));
}

QString decode(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        out.append(QChar(codePoint(static_cast<unsigned char>(c))));
    }
    return out;
}

QByteArray encode(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    const auto& reverse = reverseTable();
    for (QChar qc : text) {
        char16_t c = qc.unicode();
        if (c < 0x80) {
            out.append(static_cast<char>(c));
            continue;
        }
        if (auto it = reverse.constFind(c); it != reverse.constEnd()) {
            out.append(it.value());
            continue;
        }
        // A letter with an accent the code page lacks falls back to its base letter
        // (or to the accented form the code page does have).
        QString decomposed = qc.decomposition();
        if (!decomposed.isEmpty() && qc.decompositionTag() != QChar::NoDecomposition) {
            char16_t base = decomposed.at(0).unicode();
            if (base < 0x80) {
                out.append(static_cast<char>(base));
                continue;
            }
            if (auto it = reverse.constFind(base); it != reverse.constEnd()) {
                out.append(it.value());
                continue;
            }
        }
        char special = bestFitSpecial(c);
        out.append(special ? special : '?');
    }
    return out;
}

}  // namespace velora::cp1254
