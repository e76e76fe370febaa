#pragma once
// A scripted audio engine for station-run tests: per address, whether a stream opens,
// the buffer fills its passes report, its tags; it records what was done with each
// stream and lets a test fire metadata and end notifications.

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "audio/stream_engine.h"

namespace velora::test {

struct StreamScript {
    bool opensAsAac = false;
    bool opens = true;                         // false: both creators fail
    std::vector<std::uint32_t> fills = {100};  // fill percent per buffering pass (end = 100)
    bool live = false;                         // end position -1: no buffering at all
    bool endZeroFirst = false;                 // the first pass sees an end of 0
    std::string icy{};                         // NUL-separated header lines ("\0" between)
    std::string meta{};                        // metadata text; empty = none
    std::string statusLine = "ICY 200 OK";
    int createDelayMs = 0;
};

class FakeEngine final : public audio::StreamEngine {
public:
    struct Call {
        std::string what;  // "play", "stop", "free", "volume"
        audio::StreamHandle stream;
        int value = 0;
    };

    void script(const std::string& url, StreamScript s);
    std::vector<Call> calls() const;
    std::vector<std::string> opened() const;                      // addresses created, in order
    audio::StreamHandle streamFor(const std::string& url) const;  // the latest one
    void fireMeta(audio::StreamHandle stream, const std::string& text);
    void fireEnd(audio::StreamHandle stream);
    void setFinished(audio::StreamHandle stream, bool finished);
    std::string userAgent() const;

    audio::Error lastError() const override { return m_error; }
    void setNetworkPrebuffer(int) override {}
    void setUserAgent(const std::string& agent) override;
    audio::StreamHandle createAacStream(const std::string& url,
                                        audio::DownloadCallback cb) override;
    audio::StreamHandle createMpegStream(const std::string& url,
                                         audio::DownloadCallback cb) override;
    std::uint32_t filePosition(audio::StreamHandle s, audio::FilePosition which) const override;
    const char* tags(audio::StreamHandle s, audio::TagKind kind) override;
    bool setMetaSync(audio::StreamHandle s, audio::MetaCallback cb) override;
    bool setEndSync(audio::StreamHandle s, audio::EndCallback cb) override;
    bool play(audio::StreamHandle s) override;
    bool stop(audio::StreamHandle s) override;
    bool free(audio::StreamHandle s) override;
    bool channelInfo(audio::StreamHandle s, audio::ChannelInfo& info) const override;
    std::uint64_t length(audio::StreamHandle s) const override;
    std::uint64_t position(audio::StreamHandle s) const override;
    bool setVolume(audio::StreamHandle s, int volume, int pan) override;

private:
    struct Live {
        std::string url;
        StreamScript script;
        mutable int passes = 0;
        bool finished = false;
        audio::MetaCallback onMeta;
        audio::EndCallback onEnd;
    };
    audio::StreamHandle create(const std::string& url, bool aac, const audio::DownloadCallback& cb);
    void record(const std::string& what, audio::StreamHandle s, int value = 0);

    mutable std::mutex m_mutex;
    std::map<std::string, StreamScript> m_scripts;
    std::map<audio::StreamHandle, Live> m_streams;
    std::vector<Call> m_calls;
    std::vector<std::string> m_opened;
    std::string m_agent;
    audio::StreamHandle m_next = 1;
    static thread_local audio::Error m_error;
};

}  // namespace velora::test
