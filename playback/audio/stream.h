#pragma once

// One network stream: reader thread → ICY demuxer → ByteRing → decoder thread →
// converter → PcmRing → (mixer, in the output's callback).
//
// Threads and locks:
// - open() runs on the creating thread and blocks until the format is known.
// - The reader thread calls onHead()/onMetadata(); the decoder thread runs decodeLoop().
// - Queries (positions, tags, info, length) come from any thread.
// - collectDue() runs on the engine's dispatch thread.
// - m_mutex guards the metadata queues, the head and the tag texts; nothing is called
//   while it is held. The mixer touches only m_channel (atomics and the lock-free ring).
// Teardown: requestStop() never blocks; join() waits for both threads, which end within a
// poll interval because neither ever runs a user callback.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/byte_ring.h"
#include "audio/decoder.h"
#include "audio/format_probe.h"
#include "audio/http_reader.h"
#include "audio/output.h"
#include "audio/stream_engine.h"

namespace velora::audio {

class Stream final : private HttpReader::Listener, private PcmSink {
public:
    // Seconds of audio the network buffer of a live stream holds (see bufferBytesFor()).
    static constexpr double kNetworkBufferSeconds = 1.75;
    // A file is kept whole when the server announces at most this many bytes.
    static constexpr std::uint64_t kMaxWholeFile = 64ull * 1024 * 1024;

    struct Config {
        std::string url;
        std::string userAgent;
        StreamFormat format = StreamFormat::Mpeg;
        int prebufferPercent = 0;
        int outRate = 44100;
    };

    explicit Stream(Config config);
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    // Creating thread. Connects, hands the connection texts to onDownload (no lock held),
    // checks the format, starts decoding. Error::None on success; on failure both threads
    // have ended and the connection is closed.
    Error open(const DownloadCallback& onDownload);
    void requestStop();
    void join();

    MixerChannel& channel() { return m_channel; }
    // Any thread: start or stop output of this stream (never restarts it).
    void setPlaying(bool playing);
    // Dispatch thread: how long it may sleep before collectDue() has something to say
    // (the next heard metadata mark), at most `longest`.
    std::chrono::milliseconds timeUntilDue(std::chrono::milliseconds longest) const;

    std::uint32_t filePosition(FilePosition which) const;
    const char* icyTags() const;  // stable after open()
    const char* metaTag();        // valid until the next call on this stream
    ChannelInfo info() const;
    std::uint64_t length() const;  // kNoLength for live streams
    std::uint64_t position() const;

    // Dispatch thread: metadata texts that have been heard since the last call (each
    // different from the previous one), and whether the end has just been reached.
    struct Due {
        std::vector<std::string> metadata;
        bool ended = false;
    };
    Due collectDue();

    // Bytes of network buffer for a live stream at `bitrate` bits/s.
    static std::size_t bufferBytesFor(int bitrate);

private:
    struct Mark {
        std::uint64_t at;  // audio byte offset (input side) or device frame (heard side)
        std::string text;
    };

    void onHead(const ResponseHead& head) override;
    void onMetadata(std::uint64_t audioOffset, std::string_view text) override;
    void onPcm(const std::int16_t* samples, std::size_t frames, int rate, int channels) override;

    Error detectFormat(std::chrono::steady_clock::time_point deadline);
    void decodeLoop();
    bool pushPcm();  // moves m_converted into the PcmRing; false when stopping
    void promoteMarks(bool all);
    std::uint64_t bytesPerFrame() const;

    const Config m_config;
    ByteRing m_ring;
    MixerChannel m_channel;
    std::unique_ptr<HttpReader> m_reader;
    std::unique_ptr<Decoder> m_decoder;
    std::thread m_decoderThread;
    std::atomic<bool> m_stop{false};

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;  // head arrived, format known, decoder ended
    bool m_haveHead = false;
    ResponseHead m_head;
    bool m_wholeFile = false;
    std::string m_icyTags;  // NUL-separated, ending in an empty text; empty = none
    std::string m_latestMeta;
    bool m_haveMeta = false;
    std::string m_metaReturned;
    std::deque<Mark> m_inputMarks;  // by audio byte offset, filled by the reader
    std::deque<Mark> m_heardMarks;  // by device frame, filled by the decoder
    std::string m_lastQueued;
    std::string m_lastHeard;
    bool m_endReported = false;
    int m_bitrate = 0;  // bits/s measured by the format check; set before decoding starts

    // Decoder thread writes, anyone reads.
    std::atomic<int> m_rate{0};
    std::atomic<int> m_channels{0};
    std::atomic<std::uint64_t> m_decodedFrames{0};  // in the stream's own format
    std::atomic<bool> m_decodeDone{false};

    // Decoder thread only.
    std::unique_ptr<class Converter> m_converter;
    std::vector<float> m_converted;
    bool m_convertFailed = false;
};

}  // namespace velora::audio
