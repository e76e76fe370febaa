// Our own format check, which has to hold where the decoders do not: libmpg123 syncs on
// ADTS and FAAD2 accepts MP3 behind an ID3 tag, random bytes and text.

#include "audio/format_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/audio_mounts.h"

namespace velora::audio {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view s) {
    return {s.begin(), s.end()};
}

std::vector<std::uint8_t> noise(std::size_t n) {
    std::vector<std::uint8_t> v(n);
    std::uint32_t seed = 7;
    for (auto& b : v) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(seed >> 24);
    }
    return v;
}

// What the stream's creation does: skip an ID3v2 tag, then probe.
ProbeResult::Verdict probe(StreamFormat f, const std::vector<std::uint8_t>& data) {
    const std::size_t skip = std::min(id3v2Size(data), data.size());
    return probeFormat(f, std::span(data).subspan(skip), true).verdict;
}

TEST(FormatProbe, AcceptsOnlyItsOwnFormat) {
    using V = ProbeResult::Verdict;
    const auto mp3 = bytesOf(sim::toneMp3().bytes);
    const auto mono = bytesOf(sim::toneMonoMp3().bytes);
    const auto aac = bytesOf(sim::toneAac().bytes);
    const auto advert = bytesOf(sim::advertMp3().bytes);  // ID3v2 tag, then MPEG frames
    // A stream joined mid-frame, as after a server's unaligned burst.
    const std::vector<std::uint8_t> midFrame(mp3.begin() + 1000, mp3.end());
    const std::vector<std::uint8_t> aacMidFrame(aac.begin() + 333, aac.end());
    const auto text = bytesOf(std::string(20000, 'x') + "<html>Not found</html>");
    const auto random = noise(64 * 1024);

    struct Case {
        const char* name;
        const std::vector<std::uint8_t>& data;
        V mpeg;
        V aacVerdict;
    };
    const std::vector<Case> cases = {
        {"MP3 128 kbps", mp3, V::Match, V::NoMatch},
        {"MPEG-2 mono 22 kHz", mono, V::Match, V::NoMatch},
        {"MP3 behind an ID3v2 tag", advert, V::Match, V::NoMatch},
        {"MP3 from the middle of a frame", midFrame, V::Match, V::NoMatch},
        {"ADTS AAC", aac, V::NoMatch, V::Match},
        {"ADTS from the middle of a frame", aacMidFrame, V::NoMatch, V::Match},
        {"random bytes", random, V::NoMatch, V::NoMatch},
        {"text", text, V::NoMatch, V::NoMatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(probe(StreamFormat::Mpeg, c.data), c.mpeg);
        EXPECT_EQ(probe(StreamFormat::Aac, c.data), c.aacVerdict);
    }
}

TEST(FormatProbe, WaitsForMoreDataAndReportsTheStream) {
    const auto mp3 = bytesOf(sim::toneMp3().bytes);
    // Two frames are not yet proof; the answer must wait rather than guess.
    EXPECT_EQ(probeFormat(StreamFormat::Mpeg, std::span(mp3).first(600), false).verdict,
              ProbeResult::Verdict::NeedMore);
    const ProbeResult r = probeFormat(StreamFormat::Mpeg, mp3, false);
    ASSERT_EQ(r.verdict, ProbeResult::Verdict::Match);
    EXPECT_EQ(r.offset, 0u);
    EXPECT_EQ(r.first.sampleRate, 44100);
    EXPECT_EQ(r.bitrate, 128000);

    const auto aac = bytesOf(sim::toneAac().bytes);
    const ProbeResult a = probeFormat(StreamFormat::Aac, aac, false);
    ASSERT_EQ(a.verdict, ProbeResult::Verdict::Match);
    EXPECT_EQ(a.first.sampleRate, 48000);
    EXPECT_EQ(a.first.channels, 2);
    EXPECT_GT(a.bitrate, 48000);
    EXPECT_LT(a.bitrate, 160000);
}

}  // namespace
}  // namespace velora::audio
