#pragma once

// One HTTP(S) or Shoutcast ("ICY 200 OK") GET on a thread of its own, feeding the body
// through the ICY demuxer into a ByteRing.
//
// Threads: start() runs the transfer on the reader thread; stop() and join() may be
// called from any other thread. The listener is called on the reader thread only, with no
// lock of ours held. The reader closes the ring when the input ends, with a StreamError
// (Connect, Refused, Timeout, Format) or null for a clean end.
//
// Time-outs: 5 s to connect, 5 s without data while the transfer is not paused by a full
// ring. Redirects: up to 5.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "audio/byte_ring.h"
#include "audio/icy_demuxer.h"

namespace velora::audio {

struct ResponseHead {
    int status = 0;                  // from the status line ("ICY 200 OK" gives 200)
    std::vector<std::string> lines;  // status line, then each header line, without CR LF
    std::uint32_t metaInterval = 0;  // icy-metaint, 0 = none
    std::optional<std::uint64_t> contentLength;
    int icyBitrate = 0;  // kbps from icy-br, 0 when absent
};

class HttpReader : private IcyDemuxer::Sink {
public:
    class Listener {
    public:
        // Once, before any body byte reaches the ring (the listener may resize the ring).
        virtual void onHead(const ResponseHead& head) = 0;
        // A metadata block that follows `audioOffset` audio bytes of the body.
        virtual void onMetadata(std::uint64_t audioOffset, std::string_view text) = 0;

    protected:
        ~Listener() = default;
    };

    struct Options {
        std::string url;
        std::string userAgent;
        std::chrono::milliseconds connectTimeout{5000};
        std::chrono::milliseconds stallTimeout{5000};
    };

    HttpReader(Options options, ByteRing& ring, Listener& listener);
    ~HttpReader();  // stops and joins
    HttpReader(const HttpReader&) = delete;
    HttpReader& operator=(const HttpReader&) = delete;

    void start();
    void stop();  // non-blocking: the thread ends within one poll interval
    void join();

private:
    struct Impl;

    void run();
    static std::size_t headerThunk(char* data, std::size_t size, std::size_t count, void* user);
    static std::size_t bodyThunk(char* data, std::size_t size, std::size_t count, void* user);
    void onAudio(std::span<const std::uint8_t> bytes) override;
    void onMetadata(std::string_view text) override;

    std::unique_ptr<Impl> m_impl;
    std::thread m_thread;
};

}  // namespace velora::audio
