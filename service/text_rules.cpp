#include "service/text_rules.h"

#include <cstring>

namespace velora {

QByteArray ReplaceAll(const QByteArray& source, const QByteArray& find,
                      const QByteArray& replacement) {
    if (find.isEmpty()) {
        return source;
    }
    QByteArray result;
    qsizetype from = 0;
    for (;;) {
        qsizetype at = source.indexOf(find, from);
        if (at < 0) {
            result.append(source.constData() + from, source.size() - from);
            return result;
        }
        result.append(source.constData() + from, at - from);
        result.append(replacement);
        from = at + find.size();
    }
}

int32_t readInteger(QByteArrayView text, int32_t fallback) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n) {
        return fallback;
    }
    uint64_t value = 0;
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < n; ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return fallback;
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > limit) {
            return fallback;
        }
    }
    uint32_t bits = static_cast<uint32_t>(value);
    if (negative) {
        bits = 0u - bits;
    }
    return static_cast<int32_t>(bits);
}

QByteArray UrlFormEncode(QByteArrayView bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr char kKept[] = "!$'()*-.@_";
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == 0) {
            break;
        }
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
            std::strchr(kKept, b) != nullptr) {
            out.append(ch);
        } else if (b == ' ') {
            out.append('+');
        } else {
            out.append('%');
            out.append(kHex[b >> 4]);
            out.append(kHex[b & 0x0F]);
        }
    }
    return out;
}

}  // namespace velora
