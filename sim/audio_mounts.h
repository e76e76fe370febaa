#pragma once
// Audio stream mounts of the simulator: Shoutcast-style ("ICY 200 OK") and Icecast-style
// ("HTTP/1.0 200 OK" with icy-* headers) live mounts that loop an encoded tone, with ICY
// metadata whose title changes on a schedule, a finite advert with Content-Length, and
// mounts that misbehave.
//
// Each mount plays its own tone (440 Hz MP3, 660 Hz mono MP3, 550 Hz AAC, 880 Hz advert),
// so a test can tell from the sound which stream played.
//
// Pacing: a burst of burstBytes on connect, then real time at the fixture's byte rate.
// Titles follow stream time (audio bytes sent / byte rate), not wall-clock time, so the
// point of a title change in the audio is known exactly: title k starts with the first
// metadata block at or after k × titleSeconds of audio.
//
// Threads: the handlers run on the server's connection threads and return soon after the
// server stops.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "sim/server.h"

namespace velora::sim {

struct AudioFixture {
    std::string_view bytes;
    double seconds = 0;  // duration of the whole fixture
    const char* contentType = "audio/mpeg";
    int bitrateKbps = 0;
    double byteRate() const { return static_cast<double>(bytes.size()) / seconds; }
};

// The committed encoded fixtures, built into the program.
AudioFixture toneMp3();      // 440 Hz, 44100 Hz stereo, 128 kbps, 3 s loop
AudioFixture toneMonoMp3();  // 660 Hz, 22050 Hz mono, 64 kbps, 3 s loop
AudioFixture toneAac();      // 550 Hz, 48000 Hz stereo AAC-LC (ADTS), 96 kbps, 3 s loop
AudioFixture advertMp3();    // 880 Hz, 2 s, with an ID3v2 tag; played once

inline constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();

struct AudioMount {
    enum class Style { Shoutcast, Icecast, File };
    Style style = Style::Shoutcast;
    AudioFixture fixture;
    std::string name = "Diraz Velora";
    int status = 200;                    // anything else: the status line with no body
    std::uint32_t metaInterval = 16000;  // sent only when the client asks; 0 = never
    std::vector<std::string> titles;     // empty: no titles
    double titleSeconds = 20;
    std::size_t burstBytes = 64 * 1024;
    bool trickle = false;  // the real-time part in packets of a millisecond of audio
    // Faults, counted in audio bytes sent.
    std::size_t dropAfter = kNever;     // close the connection
    std::size_t stallAfter = kNever;    // keep it open and send nothing more
    std::size_t badMetaAfter = kNever;  // a length byte that announces audio as metadata
    bool garbage = false;               // pseudo-random bytes instead of the fixture
};

void addAudioMount(Server& server, const std::string& path, AudioMount mount);

// The demo's mounts: /stream/pop (Shoutcast MP3), /stream/turku (Icecast mono MP3),
// /stream/caz (Icecast AAC), /advert/spot.mp3 (finite), /stream/pop-noburst,
// /stream/pop-trickle, and the faults /fault/refuse, /fault/garbage, /fault/stall,
// /fault/drop, /fault/badmeta.
void addAudioMounts(Server& server);

}  // namespace velora::sim
