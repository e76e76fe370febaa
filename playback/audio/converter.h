#pragma once

// Converts a stream's decoded 16-bit PCM (any rate, any channel count) to the mixer's
// stereo float at the device rate, through an SDL_AudioStream.
//
// Threads: one owner thread (the stream's decoder thread). Not for the audio callback:
// SDL_AudioStreamPut may allocate.

#include <SDL_audio.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace velora::audio {

class Converter {
public:
    explicit Converter(int outRate) : m_outRate(outRate) {}

    // Converts frames in (rate, channels); the result is appended to out (interleaved
    // stereo floats). A change of input format drains the previous conversion first.
    // Returns false if SDL cannot convert this format.
    bool convert(const std::int16_t* samples, std::size_t frames, int rate, int channels,
                 std::vector<float>& out);
    // End of input: everything still inside the resampler is appended to out.
    void finish(std::vector<float>& out);

private:
    struct StreamDeleter {
        void operator()(SDL_AudioStream* s) const { SDL_FreeAudioStream(s); }
    };
    void drain(std::vector<float>& out);

    int m_outRate;
    int m_rate = 0;
    int m_channels = 0;
    std::unique_ptr<SDL_AudioStream, StreamDeleter> m_stream;
};

}  // namespace velora::audio
