#include "support/fake_engine.h"

#include <chrono>
#include <thread>

namespace velora::test {

thread_local audio::Error FakeEngine::m_error = audio::Error::None;

void FakeEngine::script(const std::string& url, StreamScript s) {
    std::lock_guard lock(m_mutex);
    m_scripts[url] = std::move(s);
}

std::vector<FakeEngine::Call> FakeEngine::calls() const {
    std::lock_guard lock(m_mutex);
    return m_calls;
}

std::vector<std::string> FakeEngine::opened() const {
    std::lock_guard lock(m_mutex);
    return m_opened;
}

audio::StreamHandle FakeEngine::streamFor(const std::string& url) const {
    std::lock_guard lock(m_mutex);
    audio::StreamHandle found = 0;
    for (const auto& [h, live] : m_streams) {
        if (live.url == url) {
            found = h;
        }
    }
    return found;
}

std::string FakeEngine::userAgent() const {
    std::lock_guard lock(m_mutex);
    return m_agent;
}

void FakeEngine::setUserAgent(const std::string& agent) {
    std::lock_guard lock(m_mutex);
    m_agent = agent;
}

void FakeEngine::record(const std::string& what, audio::StreamHandle s, int value) {
    std::lock_guard lock(m_mutex);
    m_calls.push_back({what, s, value});
}

audio::StreamHandle FakeEngine::create(const std::string& url, bool aac,
                                       const audio::DownloadCallback& cb) {
    StreamScript script;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_scripts.find(url);
        if (it == m_scripts.end() || !it->second.opens || it->second.opensAsAac != aac) {
            m_error = it == m_scripts.end() || !it->second.opens ? audio::Error::Connect
                                                                 : audio::Error::Format;
            return 0;
        }
        script = it->second;
    }
    if (script.createDelayMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(script.createDelayMs));
    }
    if (cb) {
        const std::string texts = script.statusLine + '\0' + "icy-metaint:16000" + '\0' + '\0';
        cb(texts.data(), 0);
    }
    std::lock_guard lock(m_mutex);
    const audio::StreamHandle h = m_next++;
    Live& live = m_streams[h];
    live.url = url;
    live.script = script;
    m_opened.push_back(url);
    m_error = audio::Error::None;
    return h;
}

audio::StreamHandle FakeEngine::createAacStream(const std::string& url,
                                                audio::DownloadCallback cb) {
    return create(url, true, cb);
}

audio::StreamHandle FakeEngine::createMpegStream(const std::string& url,
                                                 audio::DownloadCallback cb) {
    return create(url, false, cb);
}

std::uint32_t FakeEngine::filePosition(audio::StreamHandle s, audio::FilePosition which) const {
    std::lock_guard lock(m_mutex);
    auto it = m_streams.find(s);
    if (it == m_streams.end()) {
        return audio::kNoFilePosition;
    }
    const Live& live = it->second;
    switch (which) {
        case audio::FilePosition::End:
            ++live.passes;
            if (live.script.live) {
                return audio::kNoFilePosition;
            }
            return live.script.endZeroFirst && live.passes == 1 ? 0 : 100;
        case audio::FilePosition::Download: {
            const auto& f = live.script.fills;
            const size_t i = static_cast<size_t>(live.passes - 1);
            return f.empty() ? 0 : f[std::min(i, f.size() - 1)];
        }
        case audio::FilePosition::Current:
            return 0;
    }
    return 0;
}

const char* FakeEngine::tags(audio::StreamHandle s, audio::TagKind kind) {
    std::lock_guard lock(m_mutex);
    auto it = m_streams.find(s);
    if (it == m_streams.end()) {
        return nullptr;
    }
    const std::string& t =
        kind == audio::TagKind::Icy ? it->second.script.icy : it->second.script.meta;
    return t.empty() ? nullptr : t.c_str();
}

bool FakeEngine::setMetaSync(audio::StreamHandle s, audio::MetaCallback cb) {
    std::lock_guard lock(m_mutex);
    auto it = m_streams.find(s);
    if (it == m_streams.end()) {
        return false;
    }
    it->second.onMeta = std::move(cb);
    return true;
}

bool FakeEngine::setEndSync(audio::StreamHandle s, audio::EndCallback cb) {
    std::lock_guard lock(m_mutex);
    auto it = m_streams.find(s);
    if (it == m_streams.end()) {
        return false;
    }
    it->second.onEnd = std::move(cb);
    return true;
}

void FakeEngine::fireMeta(audio::StreamHandle s, const std::string& text) {
    audio::MetaCallback cb;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_streams.find(s);
        if (it == m_streams.end()) {
            return;
        }
        cb = it->second.onMeta;
    }
    if (cb) {
        cb(s, text.c_str());
    }
}

void FakeEngine::fireEnd(audio::StreamHandle s) {
    audio::EndCallback cb;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_streams.find(s);
        if (it == m_streams.end()) {
            return;
        }
        cb = it->second.onEnd;
    }
    if (cb) {
        cb(s);
    }
}

void FakeEngine::setFinished(audio::StreamHandle s, bool finished) {
    std::lock_guard lock(m_mutex);
    if (auto it = m_streams.find(s); it != m_streams.end()) {
        it->second.finished = finished;
    }
}

bool FakeEngine::play(audio::StreamHandle s) {
    record("play", s);
    return true;
}

bool FakeEngine::stop(audio::StreamHandle s) {
    record("stop", s);
    return true;
}

bool FakeEngine::free(audio::StreamHandle s) {
    record("free", s);
    std::lock_guard lock(m_mutex);
    return m_streams.erase(s) > 0;
}

bool FakeEngine::channelInfo(audio::StreamHandle s, audio::ChannelInfo& info) const {
    std::lock_guard lock(m_mutex);
    if (!m_streams.count(s)) {
        return false;
    }
    info = {44100, 2};
    return true;
}

std::uint64_t FakeEngine::length(audio::StreamHandle s) const {
    std::lock_guard lock(m_mutex);
    auto it = m_streams.find(s);
    return it == m_streams.end() ? audio::kNoLength : 1000;
}

std::uint64_t FakeEngine::position(audio::StreamHandle s) const {
    std::lock_guard lock(m_mutex);
    auto it = m_streams.find(s);
    if (it == m_streams.end()) {
        return audio::kNoLength;
    }
    return it->second.finished ? 1000 : 500;
}

bool FakeEngine::setVolume(audio::StreamHandle s, int volume, int pan) {
    record("volume", s, volume);
    (void)pan;
    return true;
}

}  // namespace velora::test
