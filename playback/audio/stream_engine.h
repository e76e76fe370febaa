#pragma once

// The operations station playback needs from an audio stream engine.
//
// Station runs talk to this interface only, so their tests can drive a scripted fake
// (fill levels, failures, end positions) while the program uses audio::Engine.
//
// Contract for every implementation:
// - Every member function may be called from any thread at any time, also with 0 or a
//   stale handle; such calls fail harmlessly and set Error::BadHandle.
// - lastError() is per calling thread: it reports the outcome of that thread's latest
//   call that sets an error (Error::None after a success).
// - Callbacks are never called while the engine holds one of its own locks, so a callback
//   may call back into the engine (even free its own stream).

#include <cstdint>
#include <functional>
#include <string>

namespace velora::audio {

// 32-bit stream handle: low 16 bits a slot number + 1, high 16 bits a generation, so a
// freed handle is never mistaken for a newer stream that reuses the slot. 0 = none.
using StreamHandle = std::uint32_t;
inline constexpr StreamHandle kNoStream = 0;

// File positions are 32-bit byte counts; this value (all bits set) reports a bad handle,
// and from FilePosition::End it means "live stream, no end to wait for".
inline constexpr std::uint32_t kNoFilePosition = 0xFFFFFFFFu;
// Length and position are 64-bit byte counts; all bits set reports an error (bad handle,
// or the length of a live stream).
inline constexpr std::uint64_t kNoLength = ~std::uint64_t{0};

enum class Error : int {
    None = 0,
    NotInitialised = 1,      // init() has not succeeded
    AlreadyInitialised = 2,  // init() called twice
    NoDevice = 3,            // no usable output device (the code the start-up box shows)
    BadHandle = 4,           // 0, stale or unknown handle
    Connect = 5,             // could not resolve, connect, or the connection broke early
    Refused = 6,             // the server answered with an error status
    Format = 7,              // the data is not the creator's format, or not audio at all
    Timeout = 8,             // no answer or no data within the time-outs
    NotAvailable = 9,        // no such value for this stream (length of a live stream)
    BadArgument = 10,        // an argument out of range (bad URL, unknown position kind)
    NoFreeChannel = 11,      // all mixer channels are in use
    Internal = 12,           // a library failed unexpectedly (out of memory, decoder init)
};

enum class FilePosition { Current, Download, End };

enum class TagKind {
    Icy,   // every "icy-*" header line, NUL-separated, ending in an empty text
    Meta,  // the latest metadata text ("StreamTitle='...';...") that was downloaded
};

struct ChannelInfo {
    int sampleRate = 0;  // Hz, of the decoded stream (not of the output device)
    int channels = 0;
};

// Called during stream creation, on the creating thread, with the connection texts: the
// status line and each header line, NUL-separated, ending in an empty text; length is 0
// for this call. The data is only valid during the call.
using DownloadCallback = std::function<void(const char* data, std::uint32_t length)>;
// Called on the engine's dispatch thread when a metadata block that differs from the last
// one heard reaches the listener. text is valid only during the call.
using MetaCallback = std::function<void(StreamHandle stream, const char* text)>;
// Called on the engine's dispatch thread, once, when a playing stream has played all it
// will get (server closed, connection broken, or no data for 5 s).
using EndCallback = std::function<void(StreamHandle stream)>;

class StreamEngine {
public:
    virtual ~StreamEngine() = default;

    virtual Error lastError() const = 0;

    // Network pre-buffer in percent of the network buffer that creation waits for before
    // it returns; 0 = return as soon as the stream format is known. Values are clamped to
    // 0..100.
    virtual void setNetworkPrebuffer(int percent) = 0;
    // User agent sent with the stream requests made after this call.
    virtual void setUserAgent(const std::string& agent) = 0;

    // Connect to url and open it as an ADTS AAC stream, or as MPEG audio (layers 1-3).
    // Block until the format is known (and the pre-buffer is filled); return the handle,
    // or kNoStream with lastError() set. The connection texts reach onDownload (may be
    // empty) on the calling thread before the format is checked.
    virtual StreamHandle createAacStream(const std::string& url, DownloadCallback onDownload) = 0;
    virtual StreamHandle createMpegStream(const std::string& url, DownloadCallback onDownload) = 0;

    // Audio bytes consumed by the decoder (Current) and received (Download); End is the
    // file length when the whole file is kept (Content-Length up to 64 MB), otherwise the
    // size of the network buffer; kNoFilePosition once the input has ended (nothing more
    // to wait for) and for a bad handle.
    virtual std::uint32_t filePosition(StreamHandle stream, FilePosition which) const = 0;

    // Tag text, or nullptr when there is none yet. The pointer stays valid until the
    // stream is freed or the same tag is read again on the same stream.
    virtual const char* tags(StreamHandle stream, TagKind kind) = 0;

    // Replace the stream's metadata sync / end notification (an empty function removes it).
    virtual bool setMetaSync(StreamHandle stream, MetaCallback callback) = 0;
    virtual bool setEndSync(StreamHandle stream, EndCallback callback) = 0;

    // Start output (never restarts: a stopped stream continues where it stopped); stop
    // output and keep the stream; free everything (harmless on 0 or stale handles).
    virtual bool play(StreamHandle stream) = 0;
    virtual bool stop(StreamHandle stream) = 0;
    virtual bool free(StreamHandle stream) = 0;

    virtual bool channelInfo(StreamHandle stream, ChannelInfo& info) const = 0;

    // Decoded PCM bytes in the stream's own format. Length is kNoLength for a live stream;
    // for a finite one it is an estimate above position() until everything decoded has
    // been played, and then exactly equal to it.
    virtual std::uint64_t length(StreamHandle stream) const = 0;
    virtual std::uint64_t position(StreamHandle stream) const = 0;

    // volume 0..100, pan -100 (left) .. +100 (right); values are clamped.
    virtual bool setVolume(StreamHandle stream, int volume, int pan) = 0;
};

}  // namespace velora::audio
