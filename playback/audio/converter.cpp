#include "audio/converter.h"

namespace velora::audio {

bool Converter::convert(const std::int16_t* samples, std::size_t frames, int rate, int channels,
                        std::vector<float>& out) {
    if (!m_stream || rate != m_rate || channels != m_channels) {
        finish(out);
        m_stream.reset(SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(channels), rate,
                                          AUDIO_F32SYS, 2, m_outRate));
        if (!m_stream) {
            return false;
        }
        m_rate = rate;
        m_channels = channels;
    }
    const auto bytes = static_cast<int>(frames * static_cast<std::size_t>(channels) * 2);
    if (SDL_AudioStreamPut(m_stream.get(), samples, bytes) != 0) {
        return false;
    }
    drain(out);
    return true;
}

void Converter::finish(std::vector<float>& out) {
    if (!m_stream) {
        return;
    }
    if (m_rate != m_outRate) {
        // The resampler keeps a tail that a bare flush drops (about 12 ms): push some
        // silence so every decoded sample comes out.
        std::vector<std::int16_t> silence(static_cast<std::size_t>(m_channels) * 600, 0);
        SDL_AudioStreamPut(m_stream.get(), silence.data(),
                           static_cast<int>(silence.size() * sizeof(std::int16_t)));
    }
    SDL_AudioStreamFlush(m_stream.get());
    drain(out);
    m_stream.reset();
}

void Converter::drain(std::vector<float>& out) {
    const int available = SDL_AudioStreamAvailable(m_stream.get());
    if (available <= 0) {
        return;
    }
    const std::size_t old = out.size();
    out.resize(old + static_cast<std::size_t>(available) / sizeof(float));
    const int got = SDL_AudioStreamGet(m_stream.get(), out.data() + old, available);
    out.resize(old + static_cast<std::size_t>(got > 0 ? got : 0) / sizeof(float));
}

}  // namespace velora::audio
