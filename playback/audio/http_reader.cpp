#include "audio/http_reader.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <condition_variable>
#include <mutex>

#include "audio/log.h"
#include "audio/stream_error.h"

namespace velora::audio {

namespace {

// Header block limits: far above any real server, low enough that a hostile one cannot
// make us hold much.
constexpr std::size_t kMaxHeaderLines = 100;
constexpr std::size_t kMaxHeaderBytes = 32 * 1024;
// How long network data may gather in the socket once the ring holds a quarter of its
// size: a tenth of a second is small against the buffer and the 5 s stall time-out.
constexpr auto kGatherTime = std::chrono::milliseconds(100);

struct EasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
struct MultiDeleter {
    void operator()(CURLM* h) const { curl_multi_cleanup(h); }
};
struct SlistDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

std::string_view headerValue(std::string_view line, std::string_view name) {
    if (!startsWithNoCase(line, name) || line.size() <= name.size() || line[name.size()] != ':') {
        return {};
    }
    std::string_view v = line.substr(name.size() + 1);
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) {
        v.remove_prefix(1);
    }
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) {
        v.remove_suffix(1);
    }
    return v;
}

template <typename T>
std::optional<T> parseNumber(std::string_view v) {
    T value{};
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec != std::errc() || end != v.data() + v.size() || v.empty()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

struct HttpReader::Impl {
    Options options;
    ByteRing& ring;
    Listener& listener;
    std::unique_ptr<CURL, EasyDeleter> easy;
    std::unique_ptr<CURLM, MultiDeleter> multi;
    std::unique_ptr<curl_slist, SlistDeleter> headers;
    std::unique_ptr<curl_slist, SlistDeleter> aliases;
    std::atomic<bool> stopRequested{false};
    std::mutex stopMutex;
    std::condition_variable stopped;

    // Reader thread only from here on.
    ResponseHead head;
    std::size_t headerBytes = 0;
    bool headDelivered = false;
    bool headComplete = false;
    std::exception_ptr failure;  // why we aborted the transfer ourselves
    std::optional<IcyDemuxer> demuxer;
    std::vector<std::uint8_t> pending;  // body bytes the full ring could not take yet
    std::uint64_t audioBytes = 0;
    bool paused = false;
    std::chrono::steady_clock::time_point lastData;

    Impl(Options o, ByteRing& r, Listener& l) : options(std::move(o)), ring(r), listener(l) {}

    void fail(Error code, const std::string& what) {
        if (!failure) {
            failure = std::make_exception_ptr(StreamError(code, what));
        }
    }

    bool deliverHead() {
        if (headDelivered) {
            return true;
        }
        headDelivered = true;
        for (const std::string& line : head.lines) {
            if (auto v = headerValue(line, "icy-metaint"); !v.empty()) {
                const auto n = parseNumber<std::uint32_t>(v);
                if (!n || !IcyDemuxer::validInterval(*n)) {
                    fail(Error::Format, "bad icy-metaint");
                    return false;
                }
                head.metaInterval = *n;
            } else if (auto cl = headerValue(line, "content-length"); !cl.empty()) {
                head.contentLength = parseNumber<std::uint64_t>(cl);
            } else if (auto br = headerValue(line, "icy-br"); !br.empty()) {
                // Some servers send "128,128"; the first number is enough.
                head.icyBitrate = parseNumber<int>(br.substr(0, br.find(','))).value_or(0);
            }
        }
        demuxer.emplace(head.metaInterval);
        listener.onHead(head);
        return true;
    }

    std::size_t onHeader(const char* data, std::size_t size) {
        lastData = std::chrono::steady_clock::now();
        std::string_view line(data, size);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            line.remove_suffix(1);
        }
        const bool statusLine = startsWithNoCase(line, "HTTP/") || startsWithNoCase(line, "ICY ");
        if (statusLine) {
            // A new response (after a redirect): forget the previous one.
            head = ResponseHead{};
            headerBytes = 0;
            headComplete = false;
            const auto space = line.find(' ');
            head.status = parseNumber<int>(line.substr(space + 1, 3)).value_or(0);
        }
        headerBytes += size;
        if (headerBytes > kMaxHeaderBytes || head.lines.size() >= kMaxHeaderLines) {
            fail(Error::Format, "response header too large");
            return 0;
        }
        if (line.empty()) {
            headComplete = true;
            const bool redirect = head.status >= 300 && head.status < 400;
            if (!redirect) {
                if (head.status < 200 || head.status >= 300) {
                    deliverHead();  // the caller still shows what the server said
                    fail(Error::Refused, "status " + std::to_string(head.status));
                    return 0;  // no body wanted
                }
                if (!deliverHead()) {
                    return 0;
                }
            }
            return size;
        }
        head.lines.emplace_back(line);
        return size;
    }

    std::size_t onBody(std::size_t size) {
        if (!pending.empty()) {
            return CURL_WRITEFUNC_PAUSE;  // curl hands this chunk again after we resume
        }
        lastData = std::chrono::steady_clock::now();
        if (!deliverHead()) {
            return 0;
        }
        return size;
    }

    void storeAudio(std::span<const std::uint8_t> bytes) {
        audioBytes += bytes.size();
        if (pending.empty()) {
            const std::size_t n = ring.write(bytes);
            bytes = bytes.subspan(n);
        }
        pending.insert(pending.end(), bytes.begin(), bytes.end());
    }

    void flushPending() {
        const std::size_t n = ring.write(pending);
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(n));
    }
};

std::size_t HttpReader::headerThunk(char* data, std::size_t size, std::size_t count, void* user) {
    return static_cast<Impl*>(user)->onHeader(data, size * count);
}

std::size_t HttpReader::bodyThunk(char* data, std::size_t size, std::size_t count, void* user) {
    auto* reader = static_cast<HttpReader*>(user);
    Impl& s = *reader->m_impl;
    const std::size_t n = size * count;
    const std::size_t taken = s.onBody(n);
    if (taken != n) {
        return taken;  // pause, or abort after a bad head
    }
    if (!s.demuxer->feed(std::span(reinterpret_cast<const std::uint8_t*>(data), n), *reader)) {
        s.fail(Error::Format, "metadata framing lost");
        return 0;
    }
    return n;
}

HttpReader::HttpReader(Options options, ByteRing& ring, Listener& listener)
    : m_impl(std::make_unique<Impl>(std::move(options), ring, listener)) {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_impl->multi.reset(curl_multi_init());
}

HttpReader::~HttpReader() {
    stop();
    join();
}

void HttpReader::start() {
    m_thread = std::thread([this] { run(); });
}

void HttpReader::stop() {
    {
        std::lock_guard lock(m_impl->stopMutex);
        m_impl->stopRequested = true;
    }
    m_impl->stopped.notify_all();
    if (m_impl->multi) {
        curl_multi_wakeup(m_impl->multi.get());
    }
}

void HttpReader::join() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void HttpReader::onAudio(std::span<const std::uint8_t> bytes) {
    m_impl->storeAudio(bytes);
}

void HttpReader::onMetadata(std::string_view text) {
    m_impl->listener.onMetadata(m_impl->audioBytes, text);
}

void HttpReader::run() {
    Impl& s = *m_impl;
    s.easy.reset(curl_easy_init());
    if (!s.easy || !s.multi) {
        s.ring.close(std::make_exception_ptr(StreamError(Error::Internal, "curl init failed")));
        return;
    }
    CURL* e = s.easy.get();
    s.aliases.reset(curl_slist_append(nullptr, "ICY"));
    s.headers.reset(curl_slist_append(nullptr, "Icy-MetaData: 1"));
    curl_easy_setopt(e, CURLOPT_URL, s.options.url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(e, CURLOPT_HTTP200ALIASES, s.aliases.get());
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, s.headers.get());
    curl_easy_setopt(e, CURLOPT_USERAGENT, s.options.userAgent.c_str());
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(s.options.connectTimeout.count()));
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, headerThunk);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &s);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, bodyThunk);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
    curl_multi_add_handle(s.multi.get(), e);

    s.lastData = std::chrono::steady_clock::now();
    std::exception_ptr result;
    for (;;) {
        if (s.stopRequested) {
            break;
        }
        if (s.paused && !s.ring.aboveLowMark()) {
            s.flushPending();
            if (s.pending.empty()) {
                s.paused = false;
                s.lastData = std::chrono::steady_clock::now();
                curl_easy_pause(e, CURLPAUSE_CONT);
            }
        }
        int running = 0;
        curl_multi_perform(s.multi.get(), &running);
        int left = 0;
        bool done = false;
        while (CURLMsg* msg = curl_multi_info_read(s.multi.get(), &left)) {
            if (msg->msg != CURLMSG_DONE) {
                continue;
            }
            done = true;
            const CURLcode code = msg->data.result;
            if (s.failure) {
                result = s.failure;
            } else if (code == CURLE_OK) {
                s.deliverHead();  // a body-less answer still has a head
                result = s.failure;
            } else if (code == CURLE_OPERATION_TIMEDOUT) {
                result =
                    std::make_exception_ptr(StreamError(Error::Timeout, curl_easy_strerror(code)));
            } else {
                result =
                    std::make_exception_ptr(StreamError(Error::Connect, curl_easy_strerror(code)));
            }
        }
        if (done || running == 0) {
            break;
        }
        if (!s.pending.empty() && !s.paused) {
            s.paused = true;  // the write callback paused the transfer
        }
        if (!s.paused && std::chrono::steady_clock::now() - s.lastData > s.options.stallTimeout) {
            result = std::make_exception_ptr(StreamError(Error::Timeout, "no data for 5 s"));
            break;
        }
        if (!s.paused && s.ring.fill() > s.ring.capacity() / 4) {
            // Plenty buffered: let the network data gather in the socket and take it in
            // one read, so a server that trickles tiny packets does not wake us for each.
            std::unique_lock lock(s.stopMutex);
            s.stopped.wait_for(lock, kGatherTime, [&] { return s.stopRequested.load(); });
        }
        // While paused nothing wakes the poll but the timeout: look at the ring every 50 ms
        // (it drains by 50 ms of audio meanwhile, far less than the quarter we free).
        curl_multi_poll(s.multi.get(), nullptr, 0, s.paused ? 50 : 100, nullptr);
    }
    logLine("reader for %s ends: %s", s.options.url.c_str(),
            result ? "error" : (s.stopRequested ? "stopped" : "end of input"));
    curl_multi_remove_handle(s.multi.get(), e);
    // What the full ring could not take is lost with the connection; the decoder still
    // plays everything the ring holds.
    s.ring.close(result);
}

}  // namespace velora::audio
