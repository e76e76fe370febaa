#include "audio/stream.h"

#include <algorithm>

#include "audio/converter.h"
#include "audio/log.h"
#include "audio/stream_error.h"

namespace velora::audio {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// How long creation may take: connect (5 s) plus a stall (5 s) plus slack.
constexpr auto kOpenTimeout = 12s;
// Bytes the format check may look at, beyond an ID3v2 tag.
constexpr std::size_t kProbeBudget = 48 * 1024;
// An ID3v2 tag larger than this at the start of a stream is not one we wait through.
constexpr std::size_t kMaxId3Tag = 4 * 1024 * 1024;
// Bounds of the metadata queues: a title per block at a tiny interval cannot grow them.
constexpr std::size_t kMaxQueuedMarks = 256;

}  // namespace

Error errorCodeOf(const std::exception_ptr& error) {
    if (!error) {
        return Error::None;
    }
    try {
        std::rethrow_exception(error);
    } catch (const StreamError& e) {
        return e.code();
    } catch (...) {
        return Error::Internal;
    }
}

std::size_t Stream::bufferBytesFor(int bitrate) {
    // 1.75 s of audio. A station start waits for 76 % of it, so a server that sends no
    // burst starts after about 1.3 s of audio has arrived (plus the 0.1 s the decoder
    // takes before playing): well under twice what a general player needs to start.
    // Once playing, the ring refills to 1.75 s and the decoder holds 0.5 s more, so a
    // server with a burst survives a hiccup of about 2.2 s without a gap (a server
    // without one: the 1.4 s it had at the start).
    const double bytesPerSecond = (bitrate > 0 ? bitrate : 128000) / 8.0;
    const auto bytes = static_cast<std::size_t>(bytesPerSecond * kNetworkBufferSeconds);
    return std::clamp<std::size_t>(bytes, 8 * 1024, 1024 * 1024);
}

Stream::Stream(Config config)
    : m_config(std::move(config)),
      m_ring(bufferBytesFor(0)),
      m_channel(static_cast<std::size_t>(m_config.outRate) * 2) {}

Stream::~Stream() {
    requestStop();
    join();
}

void Stream::requestStop() {
    m_stop = true;
    m_ring.cancel();
    if (m_reader) {
        m_reader->stop();
    }
    m_changed.notify_all();
}

void Stream::join() {
    if (m_reader) {
        m_reader->join();
    }
    if (m_decoderThread.joinable()) {
        m_decoderThread.join();
    }
}

void Stream::onHead(const ResponseHead& head) {
    std::string tags;
    for (const std::string& line : head.lines) {
        if (line.size() >= 4 && std::equal(line.begin(), line.begin() + 4, "icy-",
                                           [](char a, char b) { return std::tolower(a) == b; })) {
            tags.append(line).push_back('\0');
        }
    }
    if (!tags.empty()) {
        tags.push_back('\0');
    }
    const bool whole = head.contentLength && *head.contentLength > 0 &&
                       *head.contentLength <= kMaxWholeFile && head.status / 100 == 2;
    // Before the first body byte: the ring can still change size freely.
    m_ring.setCapacity(whole ? static_cast<std::size_t>(*head.contentLength)
                             : bufferBytesFor(head.icyBitrate * 1000));
    {
        std::lock_guard lock(m_mutex);
        m_head = head;
        m_icyTags = std::move(tags);
        m_wholeFile = whole;
        m_haveHead = true;
    }
    m_changed.notify_all();
}

void Stream::onMetadata(std::uint64_t audioOffset, std::string_view text) {
    std::lock_guard lock(m_mutex);
    m_latestMeta.assign(text);
    m_haveMeta = true;
    if (text == m_lastQueued) {
        return;  // servers repeat the current title every block
    }
    m_lastQueued.assign(text);
    if (m_inputMarks.size() >= kMaxQueuedMarks) {
        m_inputMarks.back().text.assign(text);  // keep the newest text, drop the middle
    } else {
        m_inputMarks.push_back(Mark{audioOffset, std::string(text)});
    }
}

Error Stream::open(const DownloadCallback& onDownload) {
    const auto deadline = Clock::now() + kOpenTimeout;
    m_reader = std::make_unique<HttpReader>(
        HttpReader::Options{m_config.url, m_config.userAgent, 5000ms, 5000ms}, m_ring,
        static_cast<HttpReader::Listener&>(*this));
    m_reader->start();

    const auto fail = [this](Error code) {
        requestStop();
        join();
        return code;
    };

    std::string texts;
    int status = 0;
    {
        std::unique_lock lock(m_mutex);
        while (!m_haveHead && !m_ring.closed() && Clock::now() < deadline && !m_stop) {
            m_changed.wait_for(lock, 20ms);
        }
        if (!m_haveHead) {
            lock.unlock();
            const Error e = errorCodeOf(m_ring.error());
            return fail(e == Error::None ? Error::Timeout : e);
        }
        for (const std::string& line : m_head.lines) {
            texts.append(line).push_back('\0');
        }
        texts.push_back('\0');
        status = m_head.status;
    }
    if (onDownload) {
        onDownload(texts.c_str(), 0);
    }
    if (status / 100 != 2) {
        return fail(Error::Refused);
    }
    if (const Error e = detectFormat(deadline); e != Error::None) {
        return fail(e);
    }
    m_decoder = makeDecoder(m_config.format);
    if (!m_decoder) {
        return fail(Error::Internal);
    }
    m_decoderThread = std::thread([this] { decodeLoop(); });
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_until(lock, deadline, [&] {
            return m_rate.load() > 0 || m_decodeDone.load() || m_stop.load();
        });
    }
    if (m_rate.load() == 0) {
        const Error e = errorCodeOf(m_ring.error());
        return fail(e == Error::None ? Error::Format : e);
    }
    const int prebuffer = std::clamp(m_config.prebufferPercent, 0, 100);
    if (prebuffer > 0) {
        while (Clock::now() < deadline && !m_ring.closed() && !m_stop) {
            const std::size_t cap = m_ring.capacity();
            const std::size_t fill = m_ring.fill();
            if (fill * 100 / cap >= static_cast<std::size_t>(prebuffer) || fill == cap) {
                break;
            }
            std::this_thread::sleep_for(20ms);
        }
    }
    logLine("opened %s: %d Hz, %d channels, %d bit/s", m_config.url.c_str(), m_rate.load(),
            m_channels.load(), m_bitrate);
    return Error::None;
}

Error Stream::detectFormat(Clock::time_point deadline) {
    std::vector<std::uint8_t> bytes;
    std::size_t want = 1024;
    bool id3Checked = false;
    std::size_t id3Left = 0;
    for (;;) {
        if (m_stop) {
            return Error::Internal;
        }
        const std::size_t fill = m_ring.waitForFill(want, std::min(deadline, Clock::now() + 100ms));
        const bool closed = m_ring.closed();
        if (!id3Checked && (fill >= 10 || closed)) {
            std::uint8_t header[10] = {};
            const std::size_t n = m_ring.peek(header);
            id3Left = id3v2Size(std::span(header, n));
            id3Checked = true;
            if (id3Left > kMaxId3Tag) {
                return Error::Format;
            }
        }
        if (id3Left > 0) {
            id3Left -= m_ring.skip(std::min(id3Left, fill));
            if (id3Left > 0) {
                if (closed) {
                    return Error::Format;
                }
                want = std::min(id3Left, m_ring.capacity());
                continue;
            }
        }
        const std::size_t available = m_ring.fill();
        bytes.resize(std::min(available, kProbeBudget));
        bytes.resize(m_ring.peek(bytes));
        const bool complete =
            closed || bytes.size() >= kProbeBudget || available >= m_ring.capacity();
        const ProbeResult r = probeFormat(m_config.format, bytes, complete);
        if (r.verdict == ProbeResult::Verdict::Match) {
            m_ring.skip(r.offset);  // whatever came before the first frame
            m_bitrate = r.bitrate;
            bool whole = false;
            {
                std::lock_guard lock(m_mutex);
                whole = m_wholeFile;
            }
            if (!whole) {
                m_ring.setCapacity(bufferBytesFor(r.bitrate));
            }
            return Error::None;
        }
        if (r.verdict == ProbeResult::Verdict::NoMatch) {
            const Error e = errorCodeOf(m_ring.error());
            return bytes.empty() && e != Error::None ? e : Error::Format;
        }
        if (Clock::now() >= deadline) {
            return Error::Timeout;
        }
        want = std::min(bytes.size() + 512, m_ring.capacity());
    }
}

void Stream::decodeLoop() {
    m_converter = std::make_unique<Converter>(m_config.outRate);
    // Work in chunks of about 1/8 s of input: small enough to stop at metadata boundaries
    // promptly, large enough that a trickling server does not multiply decoder calls.
    const std::size_t chunk =
        std::clamp<std::size_t>(static_cast<std::size_t>(m_bitrate / 64), 512, 8192);
    // Half a second of PCM ahead while playing; before that only enough to know the
    // format, so the network buffer (and with it the start threshold) fills sooner.
    const std::size_t playingAhead = static_cast<std::size_t>(m_config.outRate) / 2;
    const std::size_t waitingAhead = static_cast<std::size_t>(m_config.outRate) / 10;
    std::vector<std::uint8_t> buffer(chunk);
    bool failed = false;
    while (!m_stop) {
        const bool playing = m_channel.playing.load();
        if (m_channel.ring.fill() >= (playing ? playingAhead : waitingAhead)) {
            // 80 ms of the half second is used up before we look again: few wake-ups,
            // and never close to running dry. setPlaying() wakes us at once.
            std::unique_lock lock(m_mutex);
            m_changed.wait_for(
                lock, 80ms, [&] { return m_stop.load() || m_channel.playing.load() != playing; });
            continue;
        }
        std::size_t limit = chunk;
        const std::uint64_t consumed = m_ring.consumed();
        {
            std::lock_guard lock(m_mutex);
            if (!m_inputMarks.empty()) {
                const std::uint64_t next = m_inputMarks.front().at;
                limit = next > consumed ? std::min<std::uint64_t>(chunk, next - consumed) : 0;
            }
        }
        if (limit == 0) {
            promoteMarks(false);
            continue;
        }
        const std::size_t n = m_ring.read(std::span(buffer).first(limit), limit);
        if (n == 0) {
            break;  // end of input or stop
        }
        if (!m_decoder->decode(std::span(buffer).first(n), *this) || m_convertFailed) {
            failed = true;
            break;
        }
        if (!pushPcm()) {
            break;
        }
        promoteMarks(false);
        if (m_decodedFrames.load() == 0 && m_ring.consumed() > kProbeBudget * 4) {
            failed = true;  // frames that looked right but never decode
            break;
        }
    }
    if (!m_stop) {
        if (!failed) {
            m_converter->finish(m_converted);
        }
        pushPcm();
        promoteMarks(true);
        logLine("decoding of %s ended%s", m_config.url.c_str(), failed ? " with an error" : "");
    }
    m_decoder.reset();
    {
        std::lock_guard lock(m_mutex);
        m_decodeDone = true;
    }
    m_changed.notify_all();
}

void Stream::onPcm(const std::int16_t* samples, std::size_t frames, int rate, int channels) {
    if (m_rate.load() == 0) {
        {
            std::lock_guard lock(m_mutex);
            m_channels = channels;
            m_rate = rate;
        }
        m_changed.notify_all();
    }
    m_decodedFrames += frames;
    if (!m_converter->convert(samples, frames, rate, channels, m_converted)) {
        m_convertFailed = true;
    }
}

bool Stream::pushPcm() {
    std::size_t offset = 0;
    const std::size_t frames = m_converted.size() / 2;
    while (offset < frames) {
        offset += m_channel.ring.write(m_converted.data() + offset * 2, frames - offset);
        if (offset < frames) {
            if (m_stop) {
                return false;
            }
            std::this_thread::sleep_for(10ms);
        }
    }
    m_converted.clear();
    return true;
}

void Stream::promoteMarks(bool all) {
    const std::uint64_t consumed = m_ring.consumed();
    const std::uint64_t frame = m_channel.ring.written() + m_converted.size() / 2;
    std::lock_guard lock(m_mutex);
    while (!m_inputMarks.empty() && (all || m_inputMarks.front().at <= consumed)) {
        if (m_heardMarks.size() >= kMaxQueuedMarks) {
            m_heardMarks.back().text = std::move(m_inputMarks.front().text);
        } else {
            m_heardMarks.push_back(Mark{frame, std::move(m_inputMarks.front().text)});
        }
        m_inputMarks.pop_front();
    }
}

void Stream::setPlaying(bool playing) {
    {
        std::lock_guard lock(m_mutex);
        m_channel.playing = playing;
    }
    m_changed.notify_all();
}

std::chrono::milliseconds Stream::timeUntilDue(std::chrono::milliseconds longest) const {
    const std::uint64_t played = m_channel.ring.read();
    std::lock_guard lock(m_mutex);
    if (m_heardMarks.empty() || !m_channel.playing.load()) {
        return longest;
    }
    const std::uint64_t at = m_heardMarks.front().at + 1;
    const std::uint64_t frames = at > played ? at - played : 0;
    const auto ms =
        std::chrono::milliseconds(frames * 1000 / static_cast<std::uint64_t>(m_config.outRate));
    return std::min(ms, longest);
}

Stream::Due Stream::collectDue() {
    Due due;
    const std::uint64_t played = m_channel.ring.read();
    const bool drained = m_decodeDone.load() && m_channel.ring.fill() == 0;
    std::lock_guard lock(m_mutex);
    // A mark at frame F is heard once frame F itself has gone to the device.
    while (!m_heardMarks.empty() && m_heardMarks.front().at < played) {
        if (m_heardMarks.front().text != m_lastHeard) {
            m_lastHeard = m_heardMarks.front().text;
            due.metadata.push_back(m_lastHeard);
        }
        m_heardMarks.pop_front();
    }
    if (!m_endReported && drained && m_channel.playing.load()) {
        m_endReported = true;
        due.ended = true;
    }
    return due;
}

std::uint64_t Stream::bytesPerFrame() const {
    return static_cast<std::uint64_t>(m_channels.load()) * 2;
}

std::uint32_t Stream::filePosition(FilePosition which) const {
    switch (which) {
        case FilePosition::Current:
            return static_cast<std::uint32_t>(m_ring.consumed());
        case FilePosition::Download:
            return static_cast<std::uint32_t>(m_ring.written());
        case FilePosition::End: {
            // Once the input has ended nothing more will arrive: a fill threshold could
            // never be reached (a short file, a dropped connection), so say "no end to
            // wait for" and let the caller play what there is.
            if (m_ring.closed()) {
                return kNoFilePosition;
            }
            std::lock_guard lock(m_mutex);
            if (m_wholeFile) {
                return static_cast<std::uint32_t>(*m_head.contentLength);
            }
            break;
        }
    }
    return static_cast<std::uint32_t>(m_ring.capacity());
}

const char* Stream::icyTags() const {
    std::lock_guard lock(m_mutex);
    return m_icyTags.empty() ? nullptr : m_icyTags.c_str();
}

const char* Stream::metaTag() {
    std::lock_guard lock(m_mutex);
    if (!m_haveMeta) {
        return nullptr;
    }
    m_metaReturned = m_latestMeta;
    return m_metaReturned.c_str();
}

ChannelInfo Stream::info() const {
    std::lock_guard lock(m_mutex);
    return ChannelInfo{m_rate.load(), m_channels.load()};
}

std::uint64_t Stream::position() const {
    const std::uint64_t rate = static_cast<std::uint64_t>(m_rate.load());
    if (rate == 0) {
        return 0;
    }
    const std::uint64_t decoded = m_decodedFrames.load();
    if (m_decodeDone.load() && m_channel.ring.fill() == 0) {
        return decoded * bytesPerFrame();
    }
    std::uint64_t frames =
        m_channel.ring.read() * rate / static_cast<std::uint64_t>(m_config.outRate);
    if (decoded > 0) {
        frames = std::min(frames, decoded - 1);
    }
    return frames * bytesPerFrame();
}

std::uint64_t Stream::length() const {
    std::uint64_t total = 0;
    {
        std::lock_guard lock(m_mutex);
        if (!m_wholeFile) {
            return kNoLength;
        }
        total = *m_head.contentLength;
    }
    const std::uint64_t decoded = m_decodedFrames.load();
    if (m_decodeDone.load()) {
        return decoded * bytesPerFrame();
    }
    // Estimate from the bytes decoded so far; always above anything position() can say
    // before the end.
    const std::uint64_t consumed = m_ring.consumed();
    const std::uint64_t estimate = consumed > 0 ? decoded * total / consumed : 0;
    return std::max(estimate, decoded + 1) * bytesPerFrame();
}

}  // namespace velora::audio
