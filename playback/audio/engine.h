#pragma once

// The audio stream engine of the player: network streams decoded and mixed to the default
// output device.
//
// Use: construct one Engine, call init() once; if it returns false, lastError() gives the
// code to show (Error::NoDevice when no sound device could be opened). Then
// setNetworkPrebuffer(0), setUserAgent(...), and the StreamEngine operations.
//
// Threads and locks:
// - Every public function is safe from any thread. m_mutex guards the handle table and the
//   settings; it is never held while a callback runs, while a thread is joined, or while
//   a stream blocks in open().
// - The dispatch thread runs metadata syncs and end notifications. A callback that blocks
//   delays later callbacks, never the sound (the mixer does not wait for it).
// - free() only unlinks the stream; the janitor thread joins its threads, takes it out of
//   the mixer and releases it. So free() never waits for a thread that may be inside a
//   callback, and may be called from inside one.

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/format_probe.h"
#include "audio/stream_engine.h"

namespace velora::audio {

class Output;
class Stream;

class Engine final : public StreamEngine {
public:
    Engine();
    ~Engine() override;  // frees every stream, closes the device
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    static constexpr int kDefaultRate = 44100;

    // Opens the default output device at `rate` Hz; call once before anything else. false
    // on failure, with lastError() giving the code to show (Error::NoDevice when no sound
    // device could be opened, Error::AlreadyInitialised on a second call). Start-up owns
    // this call, not the station runs, so it is not part of StreamEngine.
    bool init(int rate = kDefaultRate);

    Error lastError() const override;
    void setNetworkPrebuffer(int percent) override;
    void setUserAgent(const std::string& agent) override;
    StreamHandle createAacStream(const std::string& url, DownloadCallback onDownload) override;
    StreamHandle createMpegStream(const std::string& url, DownloadCallback onDownload) override;
    std::uint32_t filePosition(StreamHandle stream, FilePosition which) const override;
    const char* tags(StreamHandle stream, TagKind kind) override;
    bool setMetaSync(StreamHandle stream, MetaCallback callback) override;
    bool setEndSync(StreamHandle stream, EndCallback callback) override;
    bool play(StreamHandle stream) override;
    bool stop(StreamHandle stream) override;
    bool free(StreamHandle stream) override;
    bool channelInfo(StreamHandle stream, ChannelInfo& info) const override;
    std::uint64_t length(StreamHandle stream) const override;
    std::uint64_t position(StreamHandle stream) const override;
    bool setVolume(StreamHandle stream, int volume, int pan) override;

private:
    struct Entry {
        std::shared_ptr<Stream> stream;
        MetaCallback onMeta;  // guarded by m_mutex; copied out before a call
        EndCallback onEnd;
    };
    struct Slot {
        std::uint16_t generation = 1;
        std::shared_ptr<Entry> entry;
    };

    StreamHandle create(const std::string& url, StreamFormat format,
                        const DownloadCallback& onDownload);
    // The live entry for handle, or null with Error::BadHandle set for this thread.
    std::shared_ptr<Entry> find(StreamHandle handle) const;
    void dispatchLoop();
    void janitorLoop();

    std::unique_ptr<Output> m_output;  // set once by init(), read-only afterwards

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;  // dispatch and janitor threads
    bool m_initialised = false;
    bool m_shuttingDown = false;
    std::vector<Slot> m_slots;
    std::deque<std::shared_ptr<Stream>> m_graveyard;  // freed, waiting for the janitor
    std::string m_userAgent;
    int m_prebuffer = 0;

    std::thread m_dispatchThread;
    std::thread m_janitorThread;
};

}  // namespace velora::audio
