// The engine end to end: the simulator's mounts played through SDL's disk driver, and the
// sound that came out checked for its tone, level and continuity.

#include "audio/engine.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/audio_mounts.h"

namespace velora::audio {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr double kToneRms = 0.5 / std::sqrt(2.0);  // the fixtures' sine at amplitude 0.5

// One test process = one engine writing to its own disk file (SDL reads the variables
// when the device opens).
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_file =
            std::filesystem::temp_directory_path() / (std::string("velora-audio-") + info->name() +
                                                      "-" + std::to_string(::getpid()) + ".raw");
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", m_file.c_str(), 1);
        ASSERT_TRUE(m_engine.init()) << static_cast<int>(m_engine.lastError());
        sim::addAudioMounts(m_server);
    }
    void TearDown() override { std::filesystem::remove(m_file); }

    // Interleaved stereo floats written so far by the device.
    std::vector<float> output() const {
        std::ifstream in(m_file, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<float> samples(bytes.size() / sizeof(float));
        std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
        return samples;
    }

    StreamHandle open(const std::string& path, bool aac = false) {
        const std::string url = m_server.url(path);
        return aac ? m_engine.createAacStream(url, nullptr)
                   : m_engine.createMpegStream(url, nullptr);
    }

    std::filesystem::path m_file;
    sim::Server m_server;
    Engine m_engine;
};

std::size_t firstSound(const std::vector<float>& s) {
    for (std::size_t i = 0; i < s.size(); i += 2) {
        if (std::abs(s[i]) > 0.01f || std::abs(s[i + 1]) > 0.01f) {
            return i / 2;
        }
    }
    return s.size() / 2;
}

double rms(const std::vector<float>& s, std::size_t from, std::size_t frames, int channel) {
    double sum = 0;
    for (std::size_t i = from; i < from + frames; ++i) {
        sum += double{s[2 * i + channel]} * s[2 * i + channel];
    }
    return std::sqrt(sum / static_cast<double>(frames));
}

// Frequency from rising zero crossings of the louder channel.
double frequency(const std::vector<float>& s, std::size_t from, std::size_t frames) {
    const int ch = rms(s, from, frames, 0) >= rms(s, from, frames, 1) ? 0 : 1;
    int crossings = 0;
    for (std::size_t i = from + 1; i < from + frames; ++i) {
        if (s[2 * (i - 1) + ch] < 0 && s[2 * i + ch] >= 0) {
            ++crossings;
        }
    }
    return crossings * static_cast<double>(kRate) / static_cast<double>(frames);
}

TEST(EngineInit, FailsWithACodeWithoutAUsableDevice) {
    // SDL never falls back to a silent driver by itself; neither do we.
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Engine engine;
    EXPECT_FALSE(engine.init());
    EXPECT_EQ(engine.lastError(), Error::NoDevice);
    EXPECT_EQ(engine.createMpegStream("http://127.0.0.1:1/", nullptr), kNoStream);
    EXPECT_EQ(engine.lastError(), Error::NotInitialised);

    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    Engine working;
    EXPECT_TRUE(working.init());
    EXPECT_EQ(working.lastError(), Error::None);
    EXPECT_FALSE(working.init());
    EXPECT_EQ(working.lastError(), Error::AlreadyInitialised);
}

TEST_F(EngineTest, MountsComeOutAtTheirToneLevelAndPan) {
    struct Case {
        const char* path;
        bool aac;
        double hz;
        int volume, pan;
        double left, right;  // expected RMS per channel
        int rate, channels;
    };
    const Case cases[] = {
        {"/stream/pop", false, 440.07, 100, 0, kToneRms, kToneRms, 44100, 2},
        {"/stream/caz", true, 549.9, 50, -100, kToneRms / 2, 0, 48000, 2},
        {"/stream/turku", false, 660.1, 100, 50, kToneRms / 2, kToneRms, 22050, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const StreamHandle h = open(c.path, c.aac);
        ASSERT_NE(h, kNoStream) << static_cast<int>(m_engine.lastError());
        ChannelInfo info;
        ASSERT_TRUE(m_engine.channelInfo(h, info));
        EXPECT_EQ(info.sampleRate, c.rate);
        EXPECT_EQ(info.channels, c.channels);
        const std::size_t before = output().size() / 2;
        m_engine.setVolume(h, c.volume, c.pan);
        m_engine.play(h);
        std::this_thread::sleep_for(1500ms);
        m_engine.free(h);
        std::this_thread::sleep_for(100ms);  // let the freed stream leave the mixer

        const auto out = output();
        const std::size_t start =
            before +
            firstSound(std::vector<float>(out.begin() + static_cast<long>(before) * 2, out.end()));
        const std::size_t window = kRate / 2;
        ASSERT_GE(out.size() / 2, start + kRate / 10 + window) << "too little sound";
        const std::size_t from = start + kRate / 10;
        EXPECT_NEAR(frequency(out, from, window), c.hz, 4.0);
        EXPECT_NEAR(rms(out, from, window, 0), c.left, 0.03);
        EXPECT_NEAR(rms(out, from, window, 1), c.right, 0.03);
    }
}

TEST_F(EngineTest, StreamTagsAndConnectionTexts) {
    // Reached through a redirect: the texts are those of the answer that streams.
    const std::string target = m_server.url("/stream/pop");
    m_server.route("/moved", [target](const sim::HttpRequest&, sim::Connection& conn) {
        sim::Response r;
        r.status = 302;
        r.reason = "Found";
        r.headers = {{"Location", target}};
        conn.respond(r);
    });
    std::string texts;
    const StreamHandle h = m_engine.createMpegStream(
        m_server.url("/moved"), [&](const char* data, std::uint32_t length) {
            ASSERT_EQ(length, 0u);
            for (const char* p = data; *p; p += std::strlen(p) + 1) {
                texts += std::string(p) + "|";
            }
        });
    ASSERT_NE(h, kNoStream);
    EXPECT_EQ(texts.rfind("ICY 200 OK|", 0), 0u) << texts;
    EXPECT_NE(texts.find("icy-metaint:16000|"), std::string::npos) << texts;

    const char* icy = m_engine.tags(h, TagKind::Icy);
    ASSERT_NE(icy, nullptr);
    std::vector<std::string> lines;
    for (const char* p = icy; *p; p += std::strlen(p) + 1) {
        lines.emplace_back(p);
    }
    EXPECT_NE(std::find(lines.begin(), lines.end(), "icy-name:Diraz Velora Pop"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "icy-br:128"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "content-type:audio/mpeg"), lines.end());

    // The burst holds the first metadata block, so the title is there before playing.
    const auto deadline = Clock::now() + 5s;
    while (m_engine.tags(h, TagKind::Meta) == nullptr && Clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    const char* meta = m_engine.tags(h, TagKind::Meta);
    ASSERT_NE(meta, nullptr);
    EXPECT_STREQ(meta, "StreamTitle='Ayla Deniz - Yaz Yagmuru';StreamUrl='';");
    EXPECT_EQ(m_engine.length(h), kNoLength);  // live
    EXPECT_EQ(m_engine.lastError(), Error::NotAvailable);
    EXPECT_NE(m_engine.filePosition(h, FilePosition::End), kNoFilePosition);
}

TEST_F(EngineTest, FiniteStreamLengthMeetsPositionOnlyAtTheEnd) {
    const StreamHandle h = open("/advert/spot.mp3");
    ASSERT_NE(h, kNoStream) << static_cast<int>(m_engine.lastError());
    std::atomic<bool> ended{false};
    m_engine.setEndSync(h, [&](StreamHandle s) {
        EXPECT_EQ(s, h);
        ended = true;
    });
    // The whole file arrives at once; with the input over there is no fill to wait for,
    // and the end position says so (a station run's buffering wait ends on it).
    const auto arrived = Clock::now() + 5s;
    while (m_engine.filePosition(h, FilePosition::End) != kNoFilePosition &&
           Clock::now() < arrived) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(m_engine.filePosition(h, FilePosition::End), kNoFilePosition);
    EXPECT_EQ(m_engine.filePosition(h, FilePosition::Download), sim::advertMp3().bytes.size());
    m_engine.play(h);
    // Sample both while it plays: the estimate stays above the position, and the first
    // time they are equal is the very end.
    std::uint64_t firstEqual = 0;
    bool sawEstimate = false;
    const auto deadline = Clock::now() + 10s;
    while (!ended && Clock::now() < deadline) {
        const std::uint64_t position = m_engine.position(h);
        const std::uint64_t length = m_engine.length(h);
        ASSERT_NE(length, kNoLength);
        ASSERT_LE(position, length);
        if (position == length && firstEqual == 0) {
            firstEqual = position;
        }
        sawEstimate = sawEstimate || (position > 0 && position < length);
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(ended);
    EXPECT_TRUE(sawEstimate);
    const std::uint64_t length = m_engine.length(h);
    EXPECT_EQ(m_engine.position(h), length);
    if (firstEqual != 0) {
        EXPECT_EQ(firstEqual, length) << "length met the position before the end";
    }
    // Two seconds of 44.1 kHz stereo 16-bit, give or take the encoder's padding frames.
    EXPECT_NEAR(static_cast<double>(length), 2.0 * 44100 * 4, 0.1 * 44100 * 4);
}

// A mount whose title changes two seconds into the stream, all of it sent at once.
sim::AudioMount titleMount() {
    sim::AudioMount m;
    m.fixture = sim::toneMp3();
    m.titles = {"First", "Second"};
    m.titleSeconds = 2;
    m.burstBytes = 8 * 16000;  // 8 s: every block is downloaded long before it is heard
    return m;
}

TEST_F(EngineTest, TitleSyncFiresWhenTheChangeIsHeard) {
    sim::addAudioMount(m_server, "/test/titles", titleMount());
    const StreamHandle h = open("/test/titles");
    ASSERT_NE(h, kNoStream);
    std::mutex mutex;
    std::vector<std::pair<std::string, double>> heard;  // text, stream seconds played
    m_engine.setMetaSync(h, [&](StreamHandle s, const char* text) {
        const double at = static_cast<double>(m_engine.position(s)) / (44100.0 * 4);
        std::lock_guard lock(mutex);
        heard.emplace_back(text, at);
    });
    m_engine.play(h);
    std::this_thread::sleep_for(2700ms);
    m_engine.free(h);

    std::lock_guard lock(mutex);
    ASSERT_EQ(heard.size(), 2u);
    // Blocks come every 16000 bytes (1 s); "First" is in the block at 1 s, "Second" in
    // the one at 2 s.
    EXPECT_EQ(heard[0].first, "StreamTitle='First';StreamUrl='';");
    EXPECT_NEAR(heard[0].second, 1.0, 0.25);
    EXPECT_EQ(heard[1].first, "StreamTitle='Second';StreamUrl='';");
    EXPECT_NEAR(heard[1].second, 2.0, 0.25);
}

TEST_F(EngineTest, BlockingSyncCallbackDoesNotInterruptTheSound) {
    sim::addAudioMount(m_server, "/test/titles", titleMount());
    const StreamHandle h = open("/test/titles");
    ASSERT_NE(h, kNoStream);
    std::atomic<int> calls{0};
    m_engine.setMetaSync(h, [&](StreamHandle, const char*) {
        ++calls;
        std::this_thread::sleep_for(1500ms);  // a cover lookup, say
    });
    const std::size_t before = output().size() / 2;
    m_engine.play(h);
    std::this_thread::sleep_for(3500ms);
    m_engine.stop(h);
    EXPECT_EQ(calls.load(), 2);
    m_engine.free(h);

    const auto out = output();
    const std::vector<float> played(out.begin() + static_cast<long>(before) * 2, out.end());
    const std::size_t start = firstSound(played);
    const std::size_t frames = played.size() / 2;
    ASSERT_GT(frames, start + 3 * kRate) << "too little sound";
    // Every 10 ms from the first sound to 3 s later carries the tone.
    for (std::size_t at = start; at + 441 < start + 3 * kRate; at += 441) {
        ASSERT_GT(rms(played, at, 441, 0), kToneRms / 2) << "gap at frame " << at - start;
    }
}

TEST_F(EngineTest, FailedCreationGivesNoHandleAndAReason) {
    sim::AudioMount absurd;
    absurd.fixture = sim::toneMp3();
    absurd.metaInterval = 2'000'000'000;
    sim::addAudioMount(m_server, "/test/absurd-metaint", absurd);
    m_server.route("/test/huge-head", [](const sim::HttpRequest&, sim::Connection& conn) {
        conn.closeAfterHandler();
        std::string head = "ICY 200 OK\r\n";
        for (int i = 0; i < 20000 && !conn.stopping(); ++i) {
            head += "icy-filler-" + std::to_string(i) + ":" + std::string(40, 'x') + "\r\n";
        }
        conn.send(head);
    });
    struct Case {
        std::string url;
        bool aac;
        Error error;
        bool texts;  // connection texts reached the callback
    };
    const Case cases[] = {
        {m_server.url("/fault/garbage"), false, Error::Format, true},
        {m_server.url("/stream/pop"), true, Error::Format, true},
        {m_server.url("/stream/caz"), false, Error::Format, true},
        {m_server.url("/fault/refuse"), false, Error::Refused, true},
        {m_server.url("/no/such/mount"), false, Error::Refused, true},
        {m_server.url("/test/absurd-metaint"), false, Error::Format, false},
        {m_server.url("/test/huge-head"), false, Error::Format, false},
        {"http://127.0.0.1:1/closed-port", false, Error::Connect, false},
        {"ftp://127.0.0.1/x", false, Error::BadArgument, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        bool gotTexts = false;
        const auto cb = [&](const char* data, std::uint32_t length) {
            gotTexts = data != nullptr && length == 0 && *data != '\0';
        };
        const StreamHandle h =
            c.aac ? m_engine.createAacStream(c.url, cb) : m_engine.createMpegStream(c.url, cb);
        EXPECT_EQ(h, kNoStream);
        EXPECT_EQ(m_engine.lastError(), c.error);
        EXPECT_EQ(gotTexts, c.texts);
    }
}

TEST_F(EngineTest, StaleAndZeroHandlesAreHarmless) {
    const StreamHandle old = open("/stream/pop");
    ASSERT_NE(old, kNoStream);
    ASSERT_TRUE(m_engine.free(old));
    const StreamHandle current = open("/stream/pop");  // likely reuses the slot
    ASSERT_NE(current, kNoStream);
    ASSERT_NE(current, old);

    for (const StreamHandle bad : {kNoStream, old, StreamHandle{0xDEADBEEF}}) {
        SCOPED_TRACE(bad);
        ChannelInfo info;
        EXPECT_EQ(m_engine.filePosition(bad, FilePosition::End), kNoFilePosition);
        EXPECT_EQ(m_engine.filePosition(bad, FilePosition::Current), kNoFilePosition);
        EXPECT_EQ(m_engine.tags(bad, TagKind::Icy), nullptr);
        EXPECT_EQ(m_engine.tags(bad, TagKind::Meta), nullptr);
        EXPECT_FALSE(m_engine.setMetaSync(bad, [](StreamHandle, const char*) {}));
        EXPECT_FALSE(m_engine.setEndSync(bad, [](StreamHandle) {}));
        EXPECT_FALSE(m_engine.play(bad));
        EXPECT_FALSE(m_engine.stop(bad));
        EXPECT_FALSE(m_engine.channelInfo(bad, info));
        EXPECT_EQ(m_engine.length(bad), kNoLength);
        EXPECT_EQ(m_engine.position(bad), kNoLength);
        EXPECT_FALSE(m_engine.setVolume(bad, 50, 0));
        EXPECT_FALSE(m_engine.free(bad));
        EXPECT_EQ(m_engine.lastError(), Error::BadHandle);
    }
    // The newer stream did not suffer from any of it.
    EXPECT_TRUE(m_engine.play(current));
    ChannelInfo info;
    EXPECT_TRUE(m_engine.channelInfo(current, info));
    EXPECT_EQ(info.sampleRate, 44100);
}

TEST_F(EngineTest, DroppedStreamEndsAndMayFreeItselfFromTheCallback) {
    const StreamHandle h = open("/fault/drop");  // closes after 3 s of audio, sent at once
    ASSERT_NE(h, kNoStream);
    std::atomic<bool> ended{false};
    m_engine.setEndSync(h, [&](StreamHandle s) {
        EXPECT_TRUE(m_engine.free(s));  // must not wait for this very thread
        ended = true;
    });
    m_engine.play(h);
    const auto until = Clock::now() + 8s;
    while (!ended && Clock::now() < until) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_TRUE(ended);
    EXPECT_FALSE(m_engine.play(h));
}

}  // namespace
}  // namespace velora::audio
