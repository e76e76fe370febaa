#pragma once
// Reading the texts a stream hands over: the title in its metadata, the station name
// and bit rate in its ICY headers, and the bit-rate label's rule.

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include "playback/player_status.h"

namespace velora::playback {

// The title of a metadata text: the characters from just after "StreamTitle='" up to
// two before the first ";" of the whole text. nullopt when the text is null or holds no
// "StreamTitle="; an empty title when the ";" comes too early.
std::optional<QByteArray> ParseStreamTitle(const char* text);

// The reports an ICY header block (NUL-separated texts ending in an empty one) gives:
// STATUS_STATION_NAME for "icy-name:", STATUS_BITRATE with "BitRate: " for "icy-br:".
QList<PlayerStatus> scanIcyHeaders(const char* block);

// The bit-rate label for a server text starting "BitRate:" (characters 9..13 trimmed,
// then " KBit"); nullopt for any other text.
std::optional<QString> bitRateLabel(const QString& serverText);

// A text without blanks and control characters at either end (titles, bit rates).
QString trimmedTitle(const QString& title);

// Whether a (trimmed) title is worth a cover picture: not empty and not an advert
// ("reklam" in any letter case).
bool coverLookupWanted(const QString& title);

}  // namespace velora::playback
