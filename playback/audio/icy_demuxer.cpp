#include "audio/icy_demuxer.h"

#include <algorithm>

namespace velora::audio {

bool IcyDemuxer::feed(std::span<const std::uint8_t> bytes, Sink& sink) {
    if (m_broken) {
        return false;
    }
    if (m_interval == 0) {
        if (!bytes.empty()) {
            sink.onAudio(bytes);
        }
        return true;
    }
    while (!bytes.empty()) {
        switch (m_state) {
            case State::Audio: {
                const std::size_t n = std::min<std::size_t>(bytes.size(), m_audioLeft);
                sink.onAudio(bytes.first(n));
                bytes = bytes.subspan(n);
                m_audioLeft -= static_cast<std::uint32_t>(n);
                if (m_audioLeft == 0) {
                    m_state = State::Length;
                }
                break;
            }
            case State::Length:
                m_blockLeft = std::size_t{bytes.front()} * 16;
                bytes = bytes.subspan(1);
                m_block.clear();
                if (m_blockLeft == 0) {
                    m_state = State::Audio;
                    m_audioLeft = m_interval;
                } else {
                    m_state = State::Block;
                }
                break;
            case State::Block: {
                const std::size_t n = std::min(bytes.size(), m_blockLeft);
                m_block.append(reinterpret_cast<const char*>(bytes.data()), n);
                bytes = bytes.subspan(n);
                m_blockLeft -= n;
                if (m_blockLeft == 0) {
                    if (!finishBlock(sink)) {
                        m_broken = true;
                        return false;
                    }
                    m_state = State::Audio;
                    m_audioLeft = m_interval;
                }
                break;
            }
        }
    }
    return true;
}

bool IcyDemuxer::finishBlock(Sink& sink) {
    const std::size_t end = m_block.find_last_not_of('\0');
    if (end == std::string::npos) {
        return true;  // all padding: same as an empty block
    }
    m_block.resize(end + 1);
    // Metadata is "Key='value';" text. Control bytes or a missing '=' mean the length byte
    // we read was really audio: the framing is lost and everything after is guesswork.
    const bool text = std::none_of(m_block.begin(), m_block.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
    if (!text || m_block.find('=') == std::string::npos) {
        return false;
    }
    sink.onMetadata(m_block);
    return true;
}

}  // namespace velora::audio
