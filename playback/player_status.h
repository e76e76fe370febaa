#pragma once
// The status reports that playback runs send to the window (message number 1125 of the
// original window protocol, kept as the name of the channel's reports).

#include <QByteArray>

namespace velora::playback {

inline constexpr int WM_PLAYER_STATUS = 1125;

enum PlayerStatusCode : int {
    STATUS_CONNECTING = 0,
    STATUS_NO_CONNECTION = 1,
    STATUS_BUFFERING = 2,
    STATUS_STATION_NAME = 3,
    STATUS_BITRATE = 4,
    STATUS_TITLE = 7,
    STATUS_SERVER_TEXT = 8,
};

// One report: a code and either an integer or a text (8-bit, copied from the sender).
struct PlayerStatus {
    int code = 0;
    int value = 0;
    QByteArray text;
};

}  // namespace velora::playback
