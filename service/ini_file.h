#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace velora {

// Reads one value from an INI file: the first "key=value" line under the first
// "[section]" line whose names match regardless of case. Blanks around names and the
// value are dropped, and so are quotes around the whole value. nullopt when the file,
// the section or the key is missing.
std::optional<QByteArray> readIniValue(const QString& path, const QByteArray& section,
                                       const QByteArray& key);

// The start station index kept in "ayar.ini" beside the executable ([ayar] ayar1);
// 0 when anything is missing or the value is not an integer.
int32_t readSavedStationIndex(const QString& executablePath);

}  // namespace velora
