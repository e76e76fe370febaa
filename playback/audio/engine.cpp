#include "audio/engine.h"

#include <algorithm>

#include "audio/log.h"
#include "audio/output.h"
#include "audio/stream.h"

namespace velora::audio {

namespace {

using namespace std::chrono_literals;

// Per thread, like errno: each caller sees the outcome of its own latest call.
thread_local Error t_lastError = Error::None;

void setError(Error e) {
    t_lastError = e;
}

constexpr std::size_t kMaxSlots = 0xFFFF;
// The dispatch thread sleeps until the next metadata mark is due to be heard, but never
// longer than this: the delay of an end notification, and of noticing a new mark (which
// the decoder queues at least 0.4 s before it is heard).
constexpr auto kLongestDispatchSleep = 100ms;
// Shortest sleep: the audio clock moves in device buffers of about 23 ms anyway.
constexpr auto kShortestDispatchSleep = 5ms;

StreamHandle makeHandle(std::size_t index, std::uint16_t generation) {
    return (static_cast<StreamHandle>(generation) << 16) | static_cast<StreamHandle>(index + 1);
}

}  // namespace

Engine::Engine() = default;

Engine::~Engine() {
    std::vector<StreamHandle> live;
    {
        std::lock_guard lock(m_mutex);
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            if (m_slots[i].entry) {
                live.push_back(makeHandle(i, m_slots[i].generation));
            }
        }
    }
    for (StreamHandle h : live) {
        free(h);
    }
    {
        std::lock_guard lock(m_mutex);
        m_shuttingDown = true;
    }
    m_wake.notify_all();
    if (m_dispatchThread.joinable()) {
        m_dispatchThread.join();
    }
    if (m_janitorThread.joinable()) {
        m_janitorThread.join();  // drains the graveyard before it ends
    }
    m_output.reset();
}

bool Engine::init(int rate) {
    std::lock_guard lock(m_mutex);
    if (m_initialised) {
        setError(Error::AlreadyInitialised);
        return false;
    }
    m_output = Output::open(rate);
    if (!m_output) {
        setError(Error::NoDevice);
        return false;
    }
    m_initialised = true;
    m_dispatchThread = std::thread([this] { dispatchLoop(); });
    m_janitorThread = std::thread([this] { janitorLoop(); });
    setError(Error::None);
    return true;
}

Error Engine::lastError() const {
    return t_lastError;
}

void Engine::setNetworkPrebuffer(int percent) {
    std::lock_guard lock(m_mutex);
    m_prebuffer = std::clamp(percent, 0, 100);
}

void Engine::setUserAgent(const std::string& agent) {
    std::lock_guard lock(m_mutex);
    m_userAgent = agent;
}

StreamHandle Engine::createAacStream(const std::string& url, DownloadCallback onDownload) {
    return create(url, StreamFormat::Aac, onDownload);
}

StreamHandle Engine::createMpegStream(const std::string& url, DownloadCallback onDownload) {
    return create(url, StreamFormat::Mpeg, onDownload);
}

StreamHandle Engine::create(const std::string& url, StreamFormat format,
                            const DownloadCallback& onDownload) {
    Stream::Config config;
    {
        std::lock_guard lock(m_mutex);
        if (!m_initialised || m_shuttingDown) {
            setError(Error::NotInitialised);
            return kNoStream;
        }
        config = Stream::Config{url, m_userAgent, format, m_prebuffer, m_output->rate()};
    }
    if (url.rfind("http://", 0) != 0 && url.rfind("https://", 0) != 0) {
        setError(Error::BadArgument);
        return kNoStream;
    }
    auto stream = std::make_shared<Stream>(std::move(config));
    // Blocks for the connection and the format check, with no lock of ours held; the
    // download callback runs in here on this thread.
    if (const Error e = stream->open(onDownload); e != Error::None) {
        setError(e);
        return kNoStream;
    }
    if (!m_output->attach(&stream->channel())) {
        setError(Error::NoFreeChannel);
        return kNoStream;
    }
    std::unique_lock lock(m_mutex);
    auto it = std::find_if(m_slots.begin(), m_slots.end(), [](const Slot& s) { return !s.entry; });
    if (it == m_slots.end()) {
        if (m_slots.size() >= kMaxSlots) {
            lock.unlock();
            m_output->detach(&stream->channel());
            setError(Error::NoFreeChannel);
            return kNoStream;
        }
        it = m_slots.emplace(m_slots.end());
    }
    it->entry = std::make_shared<Entry>();
    it->entry->stream = std::move(stream);
    const StreamHandle handle =
        makeHandle(static_cast<std::size_t>(it - m_slots.begin()), it->generation);
    lock.unlock();
    setError(Error::None);
    return handle;
}

std::shared_ptr<Engine::Entry> Engine::find(StreamHandle handle) const {
    const std::size_t index = (handle & 0xFFFF);
    const auto generation = static_cast<std::uint16_t>(handle >> 16);
    std::lock_guard lock(m_mutex);
    if (index == 0 || index > m_slots.size() || m_slots[index - 1].generation != generation ||
        !m_slots[index - 1].entry) {
        setError(Error::BadHandle);
        return nullptr;
    }
    return m_slots[index - 1].entry;
}

std::uint32_t Engine::filePosition(StreamHandle stream, FilePosition which) const {
    const auto entry = find(stream);
    if (!entry) {
        return kNoFilePosition;
    }
    setError(Error::None);
    return entry->stream->filePosition(which);
}

const char* Engine::tags(StreamHandle stream, TagKind kind) {
    const auto entry = find(stream);
    if (!entry) {
        return nullptr;
    }
    const char* text = kind == TagKind::Icy ? entry->stream->icyTags() : entry->stream->metaTag();
    setError(text ? Error::None : Error::NotAvailable);
    return text;
}

bool Engine::setMetaSync(StreamHandle stream, MetaCallback callback) {
    const auto entry = find(stream);
    if (!entry) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    entry->onMeta = std::move(callback);
    setError(Error::None);
    return true;
}

bool Engine::setEndSync(StreamHandle stream, EndCallback callback) {
    const auto entry = find(stream);
    if (!entry) {
        return false;
    }
    std::lock_guard lock(m_mutex);
    entry->onEnd = std::move(callback);
    setError(Error::None);
    return true;
}

bool Engine::play(StreamHandle stream) {
    const auto entry = find(stream);
    if (!entry) {
        return false;
    }
    entry->stream->setPlaying(true);
    setError(Error::None);
    return true;
}

bool Engine::stop(StreamHandle stream) {
    const auto entry = find(stream);
    if (!entry) {
        return false;
    }
    entry->stream->setPlaying(false);
    setError(Error::None);
    return true;
}

bool Engine::free(StreamHandle stream) {
    std::shared_ptr<Stream> doomed;
    {
        std::lock_guard lock(m_mutex);
        const std::size_t index = stream & 0xFFFF;
        const auto generation = static_cast<std::uint16_t>(stream >> 16);
        if (index == 0 || index > m_slots.size() || m_slots[index - 1].generation != generation ||
            !m_slots[index - 1].entry) {
            setError(Error::BadHandle);
            return false;
        }
        Slot& slot = m_slots[index - 1];
        doomed = slot.entry->stream;
        slot.entry.reset();
        slot.generation =
            static_cast<std::uint16_t>(slot.generation == 0xFFFF ? 1 : slot.generation + 1);
        m_graveyard.push_back(doomed);
    }
    // Silence at once; the janitor does the slow part.
    doomed->setPlaying(false);
    doomed->requestStop();
    m_wake.notify_all();
    setError(Error::None);
    return true;
}

bool Engine::channelInfo(StreamHandle stream, ChannelInfo& info) const {
    const auto entry = find(stream);
    if (!entry) {
        return false;
    }
    info = entry->stream->info();
    setError(Error::None);
    return true;
}

std::uint64_t Engine::length(StreamHandle stream) const {
    const auto entry = find(stream);
    if (!entry) {
        return kNoLength;
    }
    const std::uint64_t n = entry->stream->length();
    setError(n == kNoLength ? Error::NotAvailable : Error::None);
    return n;
}

std::uint64_t Engine::position(StreamHandle stream) const {
    const auto entry = find(stream);
    if (!entry) {
        return kNoLength;
    }
    setError(Error::None);
    return entry->stream->position();
}

bool Engine::setVolume(StreamHandle stream, int volume, int pan) {
    const auto entry = find(stream);
    if (!entry) {
        return false;
    }
    entry->stream->channel().volume = std::clamp(volume, 0, 100);
    entry->stream->channel().pan = std::clamp(pan, -100, 100);
    setError(Error::None);
    return true;
}

void Engine::dispatchLoop() {
    struct Live {
        StreamHandle handle;
        std::shared_ptr<Entry> entry;
    };
    std::vector<Live> live;
    std::chrono::milliseconds sleep = kShortestDispatchSleep;
    for (;;) {
        live.clear();
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_for(lock, sleep, [&] { return m_shuttingDown; });
            if (m_shuttingDown) {
                return;
            }
            for (std::size_t i = 0; i < m_slots.size(); ++i) {
                if (m_slots[i].entry) {
                    live.push_back(Live{makeHandle(i, m_slots[i].generation), m_slots[i].entry});
                }
            }
        }
        sleep = kLongestDispatchSleep;
        for (const Live& s : live) {
            sleep = std::min(sleep, s.entry->stream->timeUntilDue(kLongestDispatchSleep));
        }
        sleep = std::max(sleep, kShortestDispatchSleep);
        for (const Live& s : live) {
            Stream::Due due = s.entry->stream->collectDue();
            if (due.metadata.empty() && !due.ended) {
                continue;
            }
            MetaCallback onMeta;
            EndCallback onEnd;
            {
                std::lock_guard lock(m_mutex);
                const std::size_t index = (s.handle & 0xFFFF) - 1;
                if (m_slots[index].entry != s.entry) {
                    continue;  // freed meanwhile: no callback for a stale handle
                }
                onMeta = s.entry->onMeta;
                onEnd = s.entry->onEnd;
            }
            if (onMeta) {
                for (const std::string& text : due.metadata) {
                    onMeta(s.handle, text.c_str());
                }
            }
            if (due.ended && onEnd) {
                onEnd(s.handle);
            }
        }
    }
}

void Engine::janitorLoop() {
    for (;;) {
        std::shared_ptr<Stream> stream;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_shuttingDown || !m_graveyard.empty(); });
            if (m_graveyard.empty()) {
                return;  // shutting down with nothing left to release
            }
            stream = std::move(m_graveyard.front());
            m_graveyard.pop_front();
        }
        stream->join();
        m_output->detach(&stream->channel());
    }
}

}  // namespace velora::audio
