#pragma once

// Lock-free single-producer single-consumer ring of interleaved stereo float frames at the
// device rate: the decoder thread writes, the audio callback reads.
//
// The reader side never blocks and never allocates, so it is safe in the audio callback.
// Counters are monotonic frame counts; the difference is the fill. The played counter is
// also the channel's audio clock (frames handed to the device).

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace velora::audio {

class PcmRing {
public:
    static constexpr int kChannels = 2;

    explicit PcmRing(std::size_t frames) : m_frames(frames), m_data(frames * kChannels) {}

    std::size_t capacity() const { return m_frames; }
    std::size_t fill() const {
        return static_cast<std::size_t>(m_written.load(std::memory_order_acquire) -
                                        m_read.load(std::memory_order_acquire));
    }
    std::uint64_t written() const { return m_written.load(std::memory_order_acquire); }
    std::uint64_t read() const { return m_read.load(std::memory_order_acquire); }

    // Producer: stores up to `frames` frames, returns how many fitted.
    std::size_t write(const float* samples, std::size_t frames) {
        const std::uint64_t w = m_written.load(std::memory_order_relaxed);
        const std::uint64_t r = m_read.load(std::memory_order_acquire);
        const std::size_t n =
            std::min<std::size_t>(frames, m_frames - static_cast<std::size_t>(w - r));
        copy(samples, n, static_cast<std::size_t>(w % m_frames));
        m_written.store(w + n, std::memory_order_release);
        return n;
    }

    // Consumer (audio callback): takes up to `frames` frames into out.
    std::size_t readInto(float* out, std::size_t frames) {
        const std::uint64_t r = m_read.load(std::memory_order_relaxed);
        const std::uint64_t w = m_written.load(std::memory_order_acquire);
        const std::size_t n = std::min<std::size_t>(frames, static_cast<std::size_t>(w - r));
        const std::size_t start = static_cast<std::size_t>(r % m_frames);
        const std::size_t first = std::min(n, m_frames - start);
        std::memcpy(out, m_data.data() + start * kChannels, first * kChannels * sizeof(float));
        std::memcpy(out + first * kChannels, m_data.data(),
                    (n - first) * kChannels * sizeof(float));
        m_read.store(r + n, std::memory_order_release);
        return n;
    }

private:
    void copy(const float* in, std::size_t n, std::size_t start) {
        const std::size_t first = std::min(n, m_frames - start);
        std::memcpy(m_data.data() + start * kChannels, in, first * kChannels * sizeof(float));
        std::memcpy(m_data.data(), in + first * kChannels, (n - first) * kChannels * sizeof(float));
    }

    const std::size_t m_frames;
    std::vector<float> m_data;
    std::atomic<std::uint64_t> m_written{0};
    std::atomic<std::uint64_t> m_read{0};
};

}  // namespace velora::audio
