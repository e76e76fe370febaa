// MPEG audio layers 1-3 through libmpg123's feed API.

#include <mpg123.h>

#include <mutex>
#include <vector>

#include "audio/decoder.h"
#include "audio/log.h"

namespace velora::audio {

namespace {

struct Mpg123Deleter {
    void operator()(mpg123_handle* h) const {
        mpg123_close(h);
        mpg123_delete(h);
    }
};

class MpegDecoder final : public Decoder {
public:
    bool open() {
        static std::once_flag once;
        std::call_once(once, [] { mpg123_init(); });
        int err = MPG123_OK;
        m_handle.reset(mpg123_new(nullptr, &err));
        if (!m_handle) {
            return false;
        }
        mpg123_handle* h = m_handle.get();
        mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
        // One output encoding whatever the stream: 16-bit at the stream's own rate.
        mpg123_format_none(h);
        const long* rates = nullptr;
        std::size_t count = 0;
        mpg123_rates(&rates, &count);
        for (std::size_t i = 0; i < count; ++i) {
            mpg123_format(h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
        }
        m_out.resize(64 * 1024);
        return mpg123_open_feed(h) == MPG123_OK;
    }

    bool decode(std::span<const std::uint8_t> bytes, PcmSink& sink) override {
        mpg123_handle* h = m_handle.get();
        const unsigned char* in = bytes.data();
        std::size_t inSize = bytes.size();
        for (;;) {
            std::size_t done = 0;
            const int ret = mpg123_decode(h, in, inSize, m_out.data(), m_out.size(), &done);
            in = nullptr;  // input is taken on the first call; then drain the output
            inSize = 0;
            if (ret == MPG123_NEW_FORMAT) {
                long rate = 0;
                int channels = 0;
                int encoding = 0;
                mpg123_getformat(h, &rate, &channels, &encoding);
                m_rate = static_cast<int>(rate);
                m_channels = channels;
            }
            if (done > 0 && m_channels > 0) {
                sink.onPcm(reinterpret_cast<const std::int16_t*>(m_out.data()),
                           done / (2 * static_cast<std::size_t>(m_channels)), m_rate, m_channels);
            }
            if (ret == MPG123_NEED_MORE) {
                return true;
            }
            if (ret == MPG123_ERR) {
                logLine("mpg123: %s", mpg123_strerror(h));
                return false;
            }
        }
    }

private:
    std::unique_ptr<mpg123_handle, Mpg123Deleter> m_handle;
    std::vector<unsigned char> m_out;
    int m_rate = 0;
    int m_channels = 0;
};

}  // namespace

std::unique_ptr<Decoder> makeMpegDecoder() {
    auto d = std::make_unique<MpegDecoder>();
    if (!d->open()) {
        return nullptr;
    }
    return d;
}

std::unique_ptr<Decoder> makeDecoder(StreamFormat format) {
    return format == StreamFormat::Aac ? makeAacDecoder() : makeMpegDecoder();
}

}  // namespace velora::audio
