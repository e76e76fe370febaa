#include "audio/output.h"

#include <SDL.h>
#include <SDL_hints.h>

#include <algorithm>
#include <cstring>

#include "audio/log.h"

namespace velora::audio {

namespace {
constexpr std::size_t kScratchFrames = 4096;
}

std::unique_ptr<Output> Output::open(int rate) {
    // The program owns its signals (SIGINT, SIGTERM); SDL must not turn them into events
    // that nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        logLine("audio init failed: %s", SDL_GetError());
        return nullptr;
    }
    std::unique_ptr<Output> out(new Output());
    out->m_scratch.resize(kScratchFrames * 2);
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &Output::callback;
    want.userdata = out.get();
    SDL_AudioSpec have{};
    // No "allow change" flags: SDL converts to whatever the hardware wants, so the mixer
    // always sees stereo float at `rate`.
    out->m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (out->m_device == 0) {
        logLine("no audio device: %s", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    out->m_rate = rate;
    logLine("audio device open: driver %s, %d Hz, %d frames", SDL_GetCurrentAudioDriver(),
            have.freq, have.samples);
    SDL_PauseAudioDevice(out->m_device, 0);
    return out;
}

Output::~Output() {
    SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool Output::attach(MixerChannel* channel) {
    SDL_LockAudioDevice(m_device);
    const auto slot = std::find(m_channels.begin(), m_channels.end(), nullptr);
    const bool ok = slot != m_channels.end();
    if (ok) {
        *slot = channel;
    }
    SDL_UnlockAudioDevice(m_device);
    return ok;
}

void Output::detach(MixerChannel* channel) {
    SDL_LockAudioDevice(m_device);
    std::replace(m_channels.begin(), m_channels.end(), channel,
                 static_cast<MixerChannel*>(nullptr));
    SDL_UnlockAudioDevice(m_device);
}

void Output::callback(void* user, Uint8* stream, int len) {
    auto* self = static_cast<Output*>(user);
    auto* out = reinterpret_cast<float*>(stream);
    std::size_t frames = static_cast<std::size_t>(len) / (2 * sizeof(float));
    std::memset(stream, 0, static_cast<std::size_t>(len));
    while (frames > 0) {
        const std::size_t n = std::min(frames, kScratchFrames);
        self->mix(out, n);
        out += n * 2;
        frames -= n;
    }
}

void Output::mix(float* out, std::size_t frames) {
    for (MixerChannel* channel : m_channels) {
        if (channel == nullptr || !channel->playing.load(std::memory_order_acquire)) {
            continue;
        }
        const std::size_t got = channel->ring.readInto(m_scratch.data(), frames);
        const float gain =
            static_cast<float>(channel->volume.load(std::memory_order_relaxed)) / 100.0f;
        const float pan = static_cast<float>(channel->pan.load(std::memory_order_relaxed)) / 100.0f;
        const float left = gain * (pan > 0 ? 1.0f - pan : 1.0f);
        const float right = gain * (pan < 0 ? 1.0f + pan : 1.0f);
        for (std::size_t i = 0; i < got; ++i) {
            out[2 * i] += m_scratch[2 * i] * left;
            out[2 * i + 1] += m_scratch[2 * i + 1] * right;
        }
    }
    for (std::size_t i = 0; i < frames * 2; ++i) {
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    }
}

}  // namespace velora::audio
