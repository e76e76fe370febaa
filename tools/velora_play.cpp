// velora-play: plays one stream URL through the audio engine, the way a station run does,
// and prints what the engine reports: connection texts, buffer fill, ICY tags, metadata
// changes when they are heard, and the end of the stream.
//
// Usage: velora-play URL [--seconds N] [--agent TEXT] [--threshold PERCENT]
// The sound device follows SDL's environment (SDL_AUDIODRIVER=dummy plays silently).

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "audio/engine.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
namespace audio = velora::audio;

const Clock::time_point g_start = Clock::now();

double elapsed() {
    return std::chrono::duration<double>(Clock::now() - g_start).count();
}

// Prints a NUL-separated block that ends in an empty text.
void printTexts(const char* title, const char* block) {
    std::printf("%s:\n", title);
    for (const char* p = block; p != nullptr && *p != '\0'; p += std::strlen(p) + 1) {
        std::printf("  %s\n", p);
    }
}

int usage() {
    std::fprintf(stderr,
                 "usage: velora-play URL [--seconds N] [--agent TEXT] [--threshold PERCENT]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return usage();
    }
    std::string url = argv[1];
    double seconds = 0;  // 0 = until the stream ends
    std::string agent = "dodevazedorev";
    unsigned threshold = 76;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else if (std::strcmp(argv[i], "--agent") == 0 && i + 1 < argc) {
            agent = argv[++i];
        } else if (std::strcmp(argv[i], "--threshold") == 0 && i + 1 < argc) {
            threshold = static_cast<unsigned>(std::atoi(argv[++i]));
        } else {
            return usage();
        }
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    audio::Engine engine;
    if (!engine.init()) {
        std::printf("cannot open the sound device (error %d)\n",
                    static_cast<int>(engine.lastError()));
        return 1;
    }
    engine.setNetworkPrebuffer(0);
    engine.setUserAgent(agent);

    const auto onDownload = [](const char* data, std::uint32_t length) {
        if (data != nullptr && length == 0) {
            printTexts("connection", data);
        }
    };
    audio::StreamHandle h = engine.createAacStream(url, onDownload);
    const char* kind = "AAC";
    if (h == audio::kNoStream) {
        h = engine.createMpegStream(url, onDownload);
        kind = "MPEG";
    }
    if (h == audio::kNoStream) {
        std::printf("cannot open the stream (error %d)\n", static_cast<int>(engine.lastError()));
        return 1;
    }
    std::printf("opened as %s after %.0f ms\n", kind, elapsed() * 1000);

    // The station run's buffering wait: fill of the network buffer in whole percent.
    unsigned last = 101;
    for (;;) {
        const std::uint32_t end = engine.filePosition(h, audio::FilePosition::End);
        if (end == audio::kNoFilePosition || end == 0) {
            break;
        }
        const std::uint32_t fill = engine.filePosition(h, audio::FilePosition::Download) -
                                   engine.filePosition(h, audio::FilePosition::Current);
        const auto pct = static_cast<unsigned>(std::uint64_t{fill} * 100 / end);
        if (pct != last) {
            std::printf("buffer %u%%\n", pct);
            last = pct;
        }
        if (pct >= threshold) {
            break;
        }
        std::this_thread::sleep_for(5ms);
    }

    if (const char* icy = engine.tags(h, audio::TagKind::Icy)) {
        printTexts("icy tags", icy);
    }
    if (const char* meta = engine.tags(h, audio::TagKind::Meta)) {
        std::printf("metadata: %s\n", meta);
    }
    std::atomic<bool> ended{false};
    engine.setMetaSync(h, [](audio::StreamHandle, const char* text) {
        std::printf("[%7.2f s] heard: %s\n", elapsed(), text);
    });
    engine.setEndSync(h, [&ended](audio::StreamHandle) { ended = true; });
    audio::ChannelInfo info;
    engine.channelInfo(h, info);
    std::printf("playing: %d Hz, %d channel(s)\n", info.sampleRate, info.channels);
    engine.play(h);

    bool heard = false;
    while (!ended && (seconds <= 0 || elapsed() < seconds)) {
        if (!heard && engine.position(h) > 0) {
            heard = true;
            std::printf("first audio: %.0f ms\n", elapsed() * 1000);
        }
        std::this_thread::sleep_for(heard ? 100ms : 2ms);
    }
    if (ended) {
        std::printf("[%7.2f s] end of stream\n", elapsed());
    }
    engine.free(h);
    return 0;
}
