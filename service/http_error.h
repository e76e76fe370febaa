#pragma once

#include <QString>
#include <stdexcept>

namespace velora {

// A failed request. text() is what the listener sees in the error box: the status line
// of a refused response, "Socket Error # <n>" CR LF <description> for a network failure,
// or a plain sentence for a response the client will not read.
class HttpError : public std::runtime_error {
public:
    explicit HttpError(const QString& text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// The network failures the client reports, with the numbers the system has always shown
// for them (the same on every platform).
enum class SocketError {
    HostNotFound = 11001,
    ConnectionRefused = 10061,
    TimedOut = 10060,
    ConnectionReset = 10054,
    ConnectionAborted = 10053,
    NetworkUnreachable = 10051,
    HostUnreachable = 10065,
};

[[noreturn]] void throwSocketError(SocketError error);

}  // namespace velora
