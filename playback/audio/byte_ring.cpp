#include "audio/byte_ring.h"

#include <algorithm>
#include <cstring>

namespace velora::audio {

std::size_t ByteRing::write(std::span<const std::uint8_t> bytes) {
    bool wake = false;
    std::size_t n = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed || m_cancelled) {
            return 0;
        }
        const std::size_t cap = m_buffer.size();
        n = std::min(bytes.size(), cap - m_fill);
        std::size_t tail = (m_head + m_fill) % (cap == 0 ? 1 : cap);
        std::size_t done = 0;
        while (done < n) {
            const std::size_t chunk = std::min(n - done, cap - tail);
            std::memcpy(m_buffer.data() + tail, bytes.data() + done, chunk);
            done += chunk;
            tail = (tail + chunk) % cap;
        }
        m_fill += n;
        m_written += n;
        // Wake only on reaching the consumer's mark (or when full, where it must drain).
        wake = m_consumerWaiting && (m_fill >= m_wakeMark || m_fill == cap);
    }
    if (wake) {
        m_dataReady.notify_all();
    }
    return n;
}

void ByteRing::close(std::exception_ptr error) {
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) {
            return;
        }
        m_closed = true;
        m_error = std::move(error);
    }
    m_dataReady.notify_all();
}

void ByteRing::cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_dataReady.notify_all();
}

std::size_t ByteRing::copyOut(std::span<std::uint8_t> out, std::size_t offset) const {
    if (offset >= m_fill) {
        return 0;
    }
    const std::size_t cap = m_buffer.size();
    const std::size_t n = std::min(out.size(), m_fill - offset);
    std::size_t pos = (m_head + offset) % cap;
    std::size_t done = 0;
    while (done < n) {
        const std::size_t chunk = std::min(n - done, cap - pos);
        std::memcpy(out.data() + done, m_buffer.data() + pos, chunk);
        done += chunk;
        pos = (pos + chunk) % cap;
    }
    return n;
}

std::size_t ByteRing::read(std::span<std::uint8_t> out, std::size_t wakeMark) {
    std::unique_lock lock(m_mutex);
    const std::size_t mark = std::clamp<std::size_t>(wakeMark, 1, m_buffer.size());
    m_wakeMark = mark;
    m_consumerWaiting = true;
    m_dataReady.wait(
        lock, [&] { return m_cancelled || m_closed || m_fill >= std::min(mark, m_buffer.size()); });
    m_consumerWaiting = false;
    if (m_cancelled) {
        return 0;
    }
    const std::size_t n = copyOut(out, 0);
    m_head = (m_head + n) % m_buffer.size();
    m_fill -= n;
    m_consumed += n;
    return n;
}

std::size_t ByteRing::peek(std::span<std::uint8_t> out, std::size_t offset) const {
    std::lock_guard lock(m_mutex);
    return copyOut(out, offset);
}

std::size_t ByteRing::skip(std::size_t n) {
    std::lock_guard lock(m_mutex);
    n = std::min(n, m_fill);
    m_head = (m_head + n) % m_buffer.size();
    m_fill -= n;
    m_consumed += n;
    return n;
}

std::size_t ByteRing::waitForFill(std::size_t n, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_mutex);
    m_wakeMark = std::clamp<std::size_t>(n, 1, m_buffer.size());
    m_consumerWaiting = true;
    m_dataReady.wait_until(lock, deadline, [&] {
        return m_cancelled || m_closed || m_fill >= n || m_fill == m_buffer.size();
    });
    m_consumerWaiting = false;
    return m_fill;
}

void ByteRing::setCapacity(std::size_t capacity) {
    std::lock_guard lock(m_mutex);
    capacity = std::max({capacity, m_fill, std::size_t{1}});
    std::vector<std::uint8_t> next(capacity);
    copyOut(next, 0);
    m_buffer.swap(next);
    m_head = 0;
}

bool ByteRing::aboveLowMark() const {
    std::lock_guard lock(m_mutex);
    // Resume the transfer once a quarter of the ring is free: big enough that a resumed
    // transfer delivers whole network reads before the next pause.
    return m_fill > m_buffer.size() - m_buffer.size() / 4;
}

std::size_t ByteRing::capacity() const {
    std::lock_guard lock(m_mutex);
    return m_buffer.size();
}
std::size_t ByteRing::fill() const {
    std::lock_guard lock(m_mutex);
    return m_fill;
}
std::size_t ByteRing::freeSpace() const {
    std::lock_guard lock(m_mutex);
    return m_buffer.size() - m_fill;
}
std::uint64_t ByteRing::written() const {
    std::lock_guard lock(m_mutex);
    return m_written;
}
std::uint64_t ByteRing::consumed() const {
    std::lock_guard lock(m_mutex);
    return m_consumed;
}
bool ByteRing::ended() const {
    std::lock_guard lock(m_mutex);
    return m_closed && m_fill == 0;
}
bool ByteRing::closed() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}
std::exception_ptr ByteRing::error() const {
    std::lock_guard lock(m_mutex);
    return m_error;
}

}  // namespace velora::audio
