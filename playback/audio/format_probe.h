#pragma once

// Our own format detection, run before any decoder sees the data: libmpg123 false-syncs on
// ADTS and never fails on random bytes, and FAAD2 accepts almost anything as raw AAC. A
// format is accepted only when consecutive frame headers agree.
//
// Pure functions over byte spans; no state, no threads.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace velora::audio {

enum class StreamFormat { Aac, Mpeg };

struct FrameHeader {
    std::size_t length = 0;  // whole frame in bytes, header included
    int sampleRate = 0;      // as coded in the header (HE-AAC may decode to twice this)
    int channels = 0;        // 0 for AAC channel configuration 0 (given in-band)
    int bitrate = 0;         // bits per second; 0 when the header does not say (ADTS)
};

// Header parsers: nullopt when the bytes at the front are not a valid header.
std::optional<FrameHeader> parseAdtsHeader(std::span<const std::uint8_t> bytes);
std::optional<FrameHeader> parseMpegHeader(std::span<const std::uint8_t> bytes);

// Size of an ID3v2 tag at the front (header, body and footer), 0 when there is none.
std::size_t id3v2Size(std::span<const std::uint8_t> bytes);

struct ProbeResult {
    enum class Verdict { Match, NoMatch, NeedMore };
    Verdict verdict = Verdict::NeedMore;
    std::size_t offset = 0;  // where the first confirmed frame starts
    FrameHeader first;
    int bitrate = 0;  // bits per second, measured over the confirmed frames
};

// Looks for `frames` consecutive frames of format in bytes (which must start after any
// ID3v2 tag), searching for the first sync within the first searchLimit bytes. NeedMore
// while the answer may still change with more data; NoMatch when it cannot, or when
// `complete` says no more data will come.
ProbeResult probeFormat(StreamFormat format, std::span<const std::uint8_t> bytes, bool complete,
                        std::size_t searchLimit = 16 * 1024, int frames = 3);

}  // namespace velora::audio
