#pragma once

// Splits an ICY stream body into audio bytes and metadata blocks.
//
// After every metaInterval audio bytes the server inserts one length byte L followed by
// L × 16 bytes of metadata text padded with NULs. Blocks may be split across any number
// of feed() calls. A zero length byte is an empty block ("no change"). A block that does
// not look like metadata text (control bytes, no '=') means we lost the framing; the
// demuxer then reports a broken stream and stays broken.
//
// Pure: no threads, no locks, no allocation beyond the one block buffer (at most 4080
// bytes). Used by one thread at a time (the stream's reader thread).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velora::audio {

class IcyDemuxer {
public:
    // Largest interval we accept; real servers use 8192 or 16000. Anything above is a
    // broken header, not a reason to buffer without bound.
    static constexpr std::uint32_t kMaxInterval = 256 * 1024;

    class Sink {
    public:
        virtual void onAudio(std::span<const std::uint8_t> bytes) = 0;
        // text: the block without its NUL padding; never empty.
        virtual void onMetadata(std::string_view text) = 0;

    protected:
        ~Sink() = default;
    };

    // interval 0 = the server sends no metadata (every byte is audio).
    explicit IcyDemuxer(std::uint32_t interval) : m_interval(interval) {}

    static bool validInterval(std::uint32_t interval) { return interval <= kMaxInterval; }

    // Returns false once the stream is broken (also on every later call).
    bool feed(std::span<const std::uint8_t> bytes, Sink& sink);
    bool broken() const { return m_broken; }

private:
    enum class State { Audio, Length, Block };
    bool finishBlock(Sink& sink);

    std::uint32_t m_interval;
    State m_state = State::Audio;
    std::uint32_t m_audioLeft = m_interval;  // audio bytes until the next length byte
    std::size_t m_blockLeft = 0;
    std::string m_block;
    bool m_broken = false;
};

}  // namespace velora::audio
