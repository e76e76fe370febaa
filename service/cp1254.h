#pragma once
// The single-byte Turkish code page the system's text lives in. Every byte value maps
// to one character and back, so text round-trips exactly between bytes and QString
// (the seven bytes the code page leaves undefined map to the C1 controls of the same
// value).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace velora::cp1254 {

QChar toUnicode(unsigned char byte);
QString decode(QByteArrayView bytes);
// Characters the code page lacks become a similar character where one is known
// (a letter without its accent, a plain dash or quote), else "?".
QByteArray encode(QStringView text);

}  // namespace velora::cp1254
