#pragma once

// The reason a stream's input ended, carried from the reader thread to the consumer as an
// std::exception_ptr (never thrown across a thread boundary by itself).

#include <stdexcept>
#include <string>

#include "audio/stream_engine.h"

namespace velora::audio {

class StreamError : public std::runtime_error {
public:
    StreamError(Error code, const std::string& what) : std::runtime_error(what), m_code(code) {}
    Error code() const { return m_code; }

private:
    Error m_code;
};

// The code carried by error, Error::Internal for anything that is not a StreamError, and
// Error::None for a null pointer.
Error errorCodeOf(const std::exception_ptr& error);

}  // namespace velora::audio
