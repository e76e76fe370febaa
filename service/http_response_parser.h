#pragma once
// Incremental reader of one HTTP/1.x response, fed the bytes as they arrive.
// Bounded: a header block, a body or a chunk size beyond the limits fails the response
// with a clear text instead of growing without end. Pure: no I/O, no threads.

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace velora {

struct HttpLimits {
    qsizetype maxHeaderBytes = 64 * 1024;
    qsizetype maxBodyBytes = 32 * 1024 * 1024;
};

class HttpResponseParser {
public:
    enum class Result {
        NeedMore,     // feed more bytes
        HeadersDone,  // status and headers are known; call continueBody() to read the body
        Done,         // the response is complete
        Failed,       // error() says why; the connection cannot be used any more
    };

    explicit HttpResponseParser(HttpLimits limits = {}) : m_limits(limits) {}

    // Consumes `data`. Interim 1xx responses (but 101) are read over.
    Result feed(const char* data, qsizetype size);
    // The peer closed the connection.
    Result finish();
    // After HeadersDone: read the body (none for 204, 304 and 1xx).
    Result continueBody();

    int status() const { return m_status; }
    const QByteArray& statusLine() const { return m_statusLine; }
    const QList<QPair<QByteArray, QByteArray>>& headers() const { return m_headers; }
    QList<QByteArray> headerValues(const QByteArray& name) const;
    bool hasHeader(const QByteArray& name) const { return !headerValues(name).isEmpty(); }
    const QByteArray& body() const { return m_body; }
    // Whether the connection may carry another request after this response.
    bool keepAlive() const { return m_keepAlive; }
    const QString& error() const { return m_error; }
    bool receivedAnything() const { return m_receivedAnything; }

private:
    enum class State {
        StatusLine,
        Headers,
        WaitBody,
        Body,
        ChunkSize,
        ChunkData,
        ChunkEnd,
        Trailers,
        Done,
        Failed
    };
    enum class Framing { Length, Chunked, UntilClose, None };

    Result step();
    Result fail(const QString& why);
    bool takeLine(QByteArray& line);
    Result parseStatusLine(const QByteArray& line);
    Result headersComplete();
    Result appendBody(qsizetype count);

    HttpLimits m_limits;
    State m_state = State::StatusLine;
    Framing m_framing = Framing::None;
    QByteArray m_pending;  // unconsumed bytes
    qsizetype m_headerBytes = 0;
    int m_status = 0;
    bool m_http10 = false;
    QByteArray m_statusLine;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    QByteArray m_body;
    qint64 m_remaining = 0;  // body or chunk bytes still to come
    bool m_keepAlive = false;
    bool m_receivedAnything = false;
    QString m_error;
};

}  // namespace velora
