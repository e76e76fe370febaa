// ADTS AAC (LC and HE) through FAAD2. FAAD2 must only ever see whole ADTS frames, so we
// cut the byte stream into frames ourselves and resynchronise on damaged headers.

#include <neaacdec.h>

#include <algorithm>
#include <vector>

#include "audio/decoder.h"
#include "audio/log.h"

namespace velora::audio {

namespace {

struct FaadDeleter {
    void operator()(void* h) const { NeAACDecClose(static_cast<NeAACDecHandle>(h)); }
};

class AacDecoder final : public Decoder {
public:
    // A frame length has 13 bits: nothing we keep waiting for is larger.
    static constexpr std::size_t kMaxFrame = 8191;
    // Consecutive undecodable frames after which we call the stream broken.
    static constexpr int kMaxBadFrames = 32;

    bool open() {
        m_handle.reset(NeAACDecOpen());
        if (!m_handle) {
            return false;
        }
        NeAACDecConfigurationPtr config = NeAACDecGetCurrentConfiguration(handle());
        config->outputFormat = FAAD_FMT_16BIT;
        config->downMatrix = 0;
        NeAACDecSetConfiguration(handle(), config);
        m_pending.reserve(2 * kMaxFrame);
        return true;
    }

    bool decode(std::span<const std::uint8_t> bytes, PcmSink& sink) override {
        m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
        std::size_t pos = 0;
        while (m_pending.size() - pos >= 7) {
            const auto header = parseAdtsHeader(std::span(m_pending).subspan(pos));
            if (!header) {
                ++pos;  // lost sync: search for the next header
                continue;
            }
            if (m_pending.size() - pos < header->length) {
                break;  // wait for the rest of the frame
            }
            if (!decodeFrame(m_pending.data() + pos, header->length, sink)) {
                return false;
            }
            pos += header->length;
        }
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(pos));
        if (m_pending.size() > 2 * kMaxFrame) {
            return false;  // unreachable with valid headers; keeps memory bounded regardless
        }
        return true;
    }

private:
    NeAACDecHandle handle() const { return static_cast<NeAACDecHandle>(m_handle.get()); }

    bool decodeFrame(std::uint8_t* frame, std::size_t length, PcmSink& sink) {
        if (!m_initialised) {
            unsigned long rate = 0;
            unsigned char channels = 0;
            if (NeAACDecInit(handle(), frame, length, &rate, &channels) < 0) {
                return ++m_badFrames < kMaxBadFrames;
            }
            m_initialised = true;
        }
        NeAACDecFrameInfo info{};
        auto* samples = static_cast<std::int16_t*>(NeAACDecDecode(handle(), &info, frame, length));
        if (info.error != 0 || samples == nullptr) {
            logLine("faad2: %s", NeAACDecGetErrorMessage(info.error));
            return ++m_badFrames < kMaxBadFrames;
        }
        m_badFrames = 0;
        if (info.samples > 0 && info.channels > 0) {
            sink.onPcm(samples, info.samples / info.channels, static_cast<int>(info.samplerate),
                       info.channels);
        }
        return true;
    }

    std::unique_ptr<void, FaadDeleter> m_handle;
    std::vector<std::uint8_t> m_pending;
    bool m_initialised = false;
    int m_badFrames = 0;
};

}  // namespace

std::unique_ptr<Decoder> makeAacDecoder() {
    auto d = std::make_unique<AacDecoder>();
    if (!d->open()) {
        return nullptr;
    }
    return d;
}

}  // namespace velora::audio
