#pragma once

// Bounded byte FIFO between a stream's reader thread (producer) and its decoder thread
// (consumer), with the positions the station logic reads.
//
// Threads: one producer, one consumer, any number of observers (positions). Every member
// takes m_mutex, never anything else, and never calls out while holding it.
//
// Back-pressure: write() stores only what fits; the reader pauses its transfer while the
// ring is full and resumes once the fill has dropped to the low mark. The consumer is
// woken only when the fill reaches its wake mark (or the input ends), not on every
// arrival, so a server that trickles tiny packets costs no extra decoder wake-ups.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <span>
#include <vector>

namespace velora::audio {

class ByteRing {
public:
    explicit ByteRing(std::size_t capacity) : m_buffer(capacity) {}

    // Producer. Returns how many bytes were stored (less than bytes.size() when full).
    std::size_t write(std::span<const std::uint8_t> bytes);
    // Producer: no more data will come. error is the reason the input ended (null for a
    // clean end of input); the consumer reads it with error() once the ring has drained.
    void close(std::exception_ptr error = nullptr);

    // Consumer. Waits until at least wakeMark bytes are buffered, the input has ended, or
    // cancel() was called; then copies up to out.size() bytes (the caller passes a shorter
    // span to stop at a boundary). Returns 0 only at the end of input or on cancel.
    std::size_t read(std::span<std::uint8_t> out, std::size_t wakeMark);
    // Consumer: copies bytes at offset from the read position without consuming them.
    std::size_t peek(std::span<std::uint8_t> out, std::size_t offset = 0) const;
    // Consumer: drops up to n bytes (counted as consumed).
    std::size_t skip(std::size_t n);
    // Waits until at least n bytes are buffered, the input ended, the ring is full, the
    // deadline passed or cancel() was called. Returns the fill.
    std::size_t waitForFill(std::size_t n, std::chrono::steady_clock::time_point deadline);

    void cancel();  // any thread: wakes and ends every wait for good

    // Grows or shrinks the capacity; never below the current fill.
    void setCapacity(std::size_t capacity);
    // Producer side of the back-pressure: true while the fill is above the low mark.
    bool aboveLowMark() const;

    std::size_t capacity() const;
    std::size_t fill() const;
    std::size_t freeSpace() const;
    std::uint64_t written() const;   // total bytes ever stored
    std::uint64_t consumed() const;  // total bytes ever read or skipped
    bool ended() const;              // closed and drained
    bool closed() const;
    std::exception_ptr error() const;

private:
    std::size_t copyOut(std::span<std::uint8_t> out, std::size_t offset) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_dataReady;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_head = 0;  // read index
    std::size_t m_fill = 0;
    std::size_t m_wakeMark = 0;  // fill the waiting consumer asked for
    bool m_consumerWaiting = false;
    std::uint64_t m_written = 0;
    std::uint64_t m_consumed = 0;
    bool m_closed = false;
    bool m_cancelled = false;
    std::exception_ptr m_error;
};

}  // namespace velora::audio
