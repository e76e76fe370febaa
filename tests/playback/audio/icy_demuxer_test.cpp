// The ICY demuxer on plain strings: blocks split across reads at every position, empty
// and padded blocks, and the malformed input that must end as a broken stream.

#include "audio/icy_demuxer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velora::audio {
namespace {

struct Collect : IcyDemuxer::Sink {
    std::string audio;
    std::vector<std::string> meta;
    void onAudio(std::span<const std::uint8_t> b) override {
        audio.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    void onMetadata(std::string_view t) override { meta.emplace_back(t); }
};

std::string block(const std::string& text) {
    std::string b = text;
    b.resize((b.size() + 15) / 16 * 16, '\0');
    return std::string(1, static_cast<char>(b.size() / 16)) + b;
}

// Feeds `stream` in pieces of `piece` bytes (0 = all at once).
bool feed(IcyDemuxer& d, const std::string& stream, std::size_t piece, Collect& out) {
    bool ok = true;
    const std::size_t step = piece == 0 ? stream.size() : piece;
    for (std::size_t i = 0; i < stream.size(); i += step) {
        const std::string part = stream.substr(i, step);
        ok =
            d.feed(std::span(reinterpret_cast<const std::uint8_t*>(part.data()), part.size()), out);
    }
    return ok;
}

struct Case {
    const char* name;
    std::uint32_t interval;
    std::string stream;
    bool ok;
    std::string audio;
    std::vector<std::string> meta;
};

TEST(IcyDemuxer, SplitsAudioAndMetadataAtAnyReadBoundary) {
    const std::string title = "StreamTitle='A - B';StreamUrl='';";
    const std::vector<Case> cases = {
        {"no metadata interval", 0, "abcdef", true, "abcdef", {}},
        {"one block", 4, "abcd" + block(title) + "ef", true, "abcdef", {title}},
        {"zero-length blocks", 2, std::string("ab") + '\0' + "cd" + '\0' + "e", true, "abcde", {}},
        {"block of NULs only",
         2,
         "ab" + std::string(1, '\1') + std::string(16, '\0') + "cd",
         true,
         "abcd",
         {}},
        {"two blocks, same text twice",
         3,
         "abc" + block(title) + "def" + block(title) + "g",
         true,
         "abcdefg",
         {title, title}},
        {"quote inside the title",
         1,
         "x" + block("StreamTitle='it's';"),
         true,
         "x",
         {"StreamTitle='it's';"}},
        {"control bytes: framing lost",
         2,
         "ab" + std::string("\x01\xFF\xFB\x90\x00", 5) + std::string(12, 'x') + "cd",
         false,
         "ab",
         {}},
        {"text without '='", 2, "ab" + block("just words") + "cd", false, "ab", {}},
        {"largest block",
         1,
         "a" + block(std::string(4070, 'T') + "='x';") + "b",
         true,
         "ab",
         {std::string(4070, 'T') + "='x';"}},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : {0, 1, 2, 3, 7, 16, 17}) {
            SCOPED_TRACE(std::string(c.name) + ", pieces of " + std::to_string(piece));
            IcyDemuxer d(c.interval);
            Collect out;
            EXPECT_EQ(feed(d, c.stream, piece, out), c.ok);
            EXPECT_EQ(out.audio, c.audio);
            EXPECT_EQ(out.meta, c.meta);
            EXPECT_EQ(d.broken(), !c.ok);
        }
    }
}

TEST(IcyDemuxer, StaysBrokenAndBoundsTheInterval) {
    IcyDemuxer d(2);
    Collect out;
    EXPECT_FALSE(feed(d, "ab" + block("no equals sign"), 0, out));
    EXPECT_FALSE(feed(d, "more audio", 0, out));
    EXPECT_EQ(out.audio, "ab");

    EXPECT_TRUE(IcyDemuxer::validInterval(16000));
    EXPECT_FALSE(IcyDemuxer::validInterval(IcyDemuxer::kMaxInterval + 1));
}

}  // namespace
}  // namespace velora::audio
