#pragma once

// Decoders behind one small interface, fed byte chunks of any size as they come from the
// network buffer; decoded audio goes to a sink as interleaved signed 16-bit frames.
//
// Threads: a decoder belongs to one thread (the stream's decoder thread). It owns its
// library handle (RAII) and calls nothing but the sink.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "audio/format_probe.h"

namespace velora::audio {

class PcmSink {
public:
    virtual void onPcm(const std::int16_t* samples, std::size_t frames, int rate, int channels) = 0;

protected:
    ~PcmSink() = default;
};

class Decoder {
public:
    virtual ~Decoder() = default;
    // Returns false on an error the decoder cannot recover from; the stream then ends.
    // Damaged frames inside otherwise good data are skipped, not fatal.
    virtual bool decode(std::span<const std::uint8_t> bytes, PcmSink& sink) = 0;
};

// nullptr when the library could not create a decoder.
std::unique_ptr<Decoder> makeMpegDecoder();
std::unique_ptr<Decoder> makeAacDecoder();
std::unique_ptr<Decoder> makeDecoder(StreamFormat format);

}  // namespace velora::audio
