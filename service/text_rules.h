#pragma once
// Small byte-level text rules shared by the request builders and the directory.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace velora {

// Left-to-right, non-overlapping, byte-exact replacement; the inserted text is never
// searched again. An empty `find` returns `source` unchanged.
QByteArray ReplaceAll(const QByteArray& source, const QByteArray& find,
                      const QByteArray& replacement);

// The system's integer reading: optional leading blanks, an optional sign, then decimal
// digits, or hexadecimal digits after "0x" or "$". Anything else (trailing characters
// included) or a value outside 32 bits gives `fallback`. Hexadecimal values may use all
// 32 bits ("$FFFFFFFF" reads as -1).
int32_t readInteger(QByteArrayView text, int32_t fallback);

// Escapes a query value: letters, digits and !$'()*-.@_ stay, the blank becomes "+",
// every other byte "%XX" (upper-case hex). A NUL byte ends the input.
QByteArray UrlFormEncode(QByteArrayView bytes);

}  // namespace velora
