#pragma once

// The sound card: one SDL audio device at the engine's rate, stereo float, and the mixer
// that runs in its callback.
//
// The mixer sums every attached channel that is playing, each read from its lock-free
// PcmRing and scaled by its volume and pan. In the callback: no lock of ours, no
// allocation, no call that may block.
//
// Threads: attach() and detach() from any thread; they take SDL's device lock, which
// excludes the callback for the few instructions it takes to change the channel table.
// After detach() returns the callback no longer touches that channel.

#include <SDL_audio.h>

#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "audio/pcm_ring.h"
#include "audio/stream_engine.h"

namespace velora::audio {

// The mixer's view of one stream. Owned by the stream; the output only borrows it between
// attach() and detach().
struct MixerChannel {
    explicit MixerChannel(std::size_t frames) : ring(frames) {}
    PcmRing ring;
    std::atomic<bool> playing{false};
    std::atomic<int> volume{100};  // 0..100
    std::atomic<int> pan{0};       // -100..100
};

class Output {
public:
    static constexpr std::size_t kMaxChannels = 64;

    // Opens the default device (SDL's environment picks the driver). nullptr on failure,
    // with the reason logged; SDL never falls back to a silent driver by itself.
    static std::unique_ptr<Output> open(int rate);
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    int rate() const { return m_rate; }
    bool attach(MixerChannel* channel);  // false when all channels are taken
    void detach(MixerChannel* channel);

private:
    Output() = default;
    static void callback(void* user, Uint8* stream, int len);
    void mix(float* out, std::size_t frames);

    SDL_AudioDeviceID m_device = 0;
    int m_rate = 0;
    std::array<MixerChannel*, kMaxChannels> m_channels{};  // guarded by SDL's device lock
    std::vector<float> m_scratch;                          // callback only
};

}  // namespace velora::audio
