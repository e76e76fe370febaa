#include "audio/format_probe.h"

#include <array>

namespace velora::audio {

namespace {

constexpr std::array<int, 13> kAdtsRates = {96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                            22050, 16000, 12000, 11025, 8000,  7350};

// Bit rates in kbps by [MPEG-1 ? 0 : 1][layer - 1][index]; MPEG-2 and 2.5 share a table.
constexpr int kMpegBitrates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}}};

constexpr int kMpegRates[3] = {44100, 48000, 32000};

bool sameStream(StreamFormat format, std::span<const std::uint8_t> a,
                std::span<const std::uint8_t> b) {
    if (format == StreamFormat::Aac) {
        // Profile, sampling frequency index and channel configuration stay fixed.
        return (a[2] & 0xFD) == (b[2] & 0xFD) && (a[3] & 0xC0) == (b[3] & 0xC0);
    }
    // Version, layer and sample rate stay fixed; bit rate and padding may change.
    return (a[1] & 0xFE) == (b[1] & 0xFE) && (a[2] & 0x0C) == (b[2] & 0x0C);
}

}  // namespace

std::optional<FrameHeader> parseAdtsHeader(std::span<const std::uint8_t> b) {
    if (b.size() < 7 || b[0] != 0xFF || (b[1] & 0xF6) != 0xF0) {
        return std::nullopt;
    }
    const int rateIndex = (b[2] >> 2) & 0x0F;
    if (rateIndex >= static_cast<int>(kAdtsRates.size())) {
        return std::nullopt;
    }
    const std::size_t headerSize = (b[1] & 0x01) ? 7 : 9;  // no CRC : CRC
    const std::size_t length = ((b[3] & 0x03) << 11) | (b[4] << 3) | (b[5] >> 5);
    if (length <= headerSize) {
        return std::nullopt;
    }
    FrameHeader h;
    h.length = length;
    h.sampleRate = kAdtsRates[static_cast<std::size_t>(rateIndex)];
    const int config = ((b[2] & 0x01) << 2) | (b[3] >> 6);
    h.channels = config == 7 ? 8 : config;
    return h;
}

std::optional<FrameHeader> parseMpegHeader(std::span<const std::uint8_t> b) {
    if (b.size() < 4 || b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    const int version = (b[1] >> 3) & 0x03;    // 0 = 2.5, 1 reserved, 2 = 2, 3 = 1
    const int layerBits = (b[1] >> 1) & 0x03;  // 1 = III, 2 = II, 3 = I, 0 reserved (ADTS)
    const int bitrateIndex = b[2] >> 4;
    const int rateIndex = (b[2] >> 2) & 0x03;
    if (version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3 || (b[3] & 0x03) == 2) {  // reserved emphasis
        return std::nullopt;
    }
    const int layer = 4 - layerBits;
    const bool mpeg1 = version == 3;
    int rate = kMpegRates[rateIndex];
    if (version == 2) {
        rate /= 2;
    } else if (version == 0) {
        rate /= 4;
    }
    const int kbps = kMpegBitrates[mpeg1 ? 0 : 1][layer - 1][bitrateIndex];
    const int padding = (b[2] >> 1) & 0x01;
    std::size_t length = 0;
    if (layer == 1) {
        length = static_cast<std::size_t>((12 * kbps * 1000 / rate + padding) * 4);
    } else {
        const int factor = (layer == 3 && !mpeg1) ? 72 : 144;
        length = static_cast<std::size_t>(factor * kbps * 1000 / rate + padding);
    }
    FrameHeader h;
    h.length = length;
    h.sampleRate = rate;
    h.channels = (b[3] >> 6) == 3 ? 1 : 2;
    h.bitrate = kbps * 1000;
    return h;
}

std::size_t id3v2Size(std::span<const std::uint8_t> b) {
    if (b.size() < 10 || b[0] != 'I' || b[1] != 'D' || b[2] != '3' || b[3] == 0xFF ||
        b[4] == 0xFF || (b[6] | b[7] | b[8] | b[9]) & 0x80) {
        return 0;
    }
    const std::size_t body =
        (std::size_t{b[6]} << 21) | (std::size_t{b[7]} << 14) | (std::size_t{b[8]} << 7) | b[9];
    const std::size_t footer = (b[5] & 0x10) ? 10 : 0;
    return 10 + body + footer;
}

namespace {

ProbeResult probeOne(StreamFormat format, std::span<const std::uint8_t> bytes, bool complete,
                     std::size_t searchLimit, int frames) {
    const auto parse = format == StreamFormat::Aac ? parseAdtsHeader : parseMpegHeader;
    const std::size_t headerBytes = format == StreamFormat::Aac ? 7 : 4;
    ProbeResult result;
    bool waiting = false;  // a candidate ran past the data we have
    for (std::size_t start = 0; start < bytes.size() && start < searchLimit; ++start) {
        if (bytes[start] != 0xFF) {
            continue;
        }
        std::size_t pos = start;
        std::size_t total = 0;
        std::size_t duration = 0;  // in frames, for the bit rate estimate
        std::optional<FrameHeader> first;
        int found = 0;
        bool broken = false;
        while (found < frames) {
            if (pos + headerBytes > bytes.size()) {
                break;  // need more data
            }
            const auto h = parse(bytes.subspan(pos));
            if (!h || (first && !sameStream(format, bytes.subspan(start), bytes.subspan(pos)))) {
                broken = true;
                break;
            }
            if (!first) {
                first = h;
            }
            total += h->length;
            ++duration;
            pos += h->length;
            ++found;
        }
        if (found == frames) {
            result.verdict = ProbeResult::Verdict::Match;
            result.offset = start;
            result.first = *first;
            if (first->bitrate > 0) {
                result.bitrate = first->bitrate;
            } else {
                // ADTS: 1024 samples per frame at the coded rate.
                const double seconds = 1024.0 * static_cast<double>(duration) / first->sampleRate;
                result.bitrate = static_cast<int>(8.0 * static_cast<double>(total) / seconds);
            }
            return result;
        }
        if (!broken) {
            waiting = true;
            break;  // this candidate may still pass; decide when more data has come
        }
    }
    const bool searchedEnough = bytes.size() >= searchLimit;
    if (complete || (!waiting && searchedEnough)) {
        result.verdict = ProbeResult::Verdict::NoMatch;
    }
    return result;
}

}  // namespace

ProbeResult probeFormat(StreamFormat format, std::span<const std::uint8_t> bytes, bool complete,
                        std::size_t searchLimit, int frames) {
    ProbeResult result = probeOne(format, bytes, complete, searchLimit, frames);
    if (result.verdict == ProbeResult::Verdict::NeedMore) {
        // The station tries AAC first on every stream: recognising the other format
        // settles the question at once instead of after searchLimit bytes.
        const StreamFormat other =
            format == StreamFormat::Aac ? StreamFormat::Mpeg : StreamFormat::Aac;
        if (probeOne(other, bytes, false, searchLimit, frames).verdict ==
            ProbeResult::Verdict::Match) {
            result.verdict = ProbeResult::Verdict::NoMatch;
        }
    }
    return result;
}

}  // namespace velora::audio
