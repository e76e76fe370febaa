#include "service/http_response_parser.h"

namespace velora {

QList<QByteArray> HttpResponseParser::headerValues(const QByteArray& name) const {
    QList<QByteArray> values;
    for (const auto& [k, v] : m_headers) {
        if (k.compare(name, Qt::CaseInsensitive) == 0) {
            values.append(v);
        }
    }
    return values;
}

HttpResponseParser::Result HttpResponseParser::fail(const QString& why) {
    m_state = State::Failed;
    m_error = why;
    m_keepAlive = false;
    return Result::Failed;
}

HttpResponseParser::Result HttpResponseParser::feed(const char* data, qsizetype size) {
    if (size > 0) {
        m_receivedAnything = true;
    }
    m_pending.append(data, size);
    return step();
}

HttpResponseParser::Result HttpResponseParser::continueBody() {
    if (m_state != State::WaitBody) {
        return step();
    }
    switch (m_framing) {
        case Framing::None:
            m_state = State::Done;
            return Result::Done;
        case Framing::Length:
            m_state = State::Body;
            if (m_remaining == 0) {
                m_state = State::Done;
                return Result::Done;
            }
            break;
        case Framing::UntilClose:
            m_state = State::Body;
            break;
        case Framing::Chunked:
            m_state = State::ChunkSize;
            break;
    }
    return step();
}

HttpResponseParser::Result HttpResponseParser::finish() {
    switch (m_state) {
        case State::Done:
            return Result::Done;
        case State::Failed:
            return Result::Failed;
        case State::Body:
            if (m_framing == Framing::UntilClose) {
                m_keepAlive = false;
                m_state = State::Done;
                return Result::Done;
            }
            [[fallthrough]];
        default:
            return fail(QStringLiteral("Connection closed before the response was complete."));
    }
}

bool HttpResponseParser::takeLine(QByteArray& line) {
    const qsizetype lf = m_pending.indexOf('\n');
    if (lf < 0) {
        return false;
    }
    line = m_pending.left(lf);
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    m_pending.remove(0, lf + 1);
    return true;
}

HttpResponseParser::Result HttpResponseParser::parseStatusLine(const QByteArray& line) {
    // "HTTP/1.1 200 OK"
    if (!line.startsWith("HTTP/1.") || line.size() < 12 || line[8] != ' ') {
        return fail(QStringLiteral("The server sent an invalid response."));
    }
    bool ok = false;
    const int status = line.mid(9, 3).toInt(&ok);
    if (!ok || status < 100 || status > 999 || (line.size() > 12 && line[12] != ' ')) {
        return fail(QStringLiteral("The server sent an invalid response."));
    }
    m_status = status;
    m_http10 = line[7] == '0';
    m_statusLine = line;
    m_headers.clear();
    m_state = State::Headers;
    return Result::NeedMore;
}

HttpResponseParser::Result HttpResponseParser::headersComplete() {
    if (m_status >= 100 && m_status < 200 && m_status != 101) {
        m_state = State::StatusLine;  // interim response: the real one follows
        return Result::NeedMore;
    }
    const QList<QByteArray> connection = headerValues("Connection");
    bool close = false;
    bool keep = false;
    for (const QByteArray& v : connection) {
        for (const QByteArray& token : v.split(',')) {
            close = close || token.trimmed().compare("close", Qt::CaseInsensitive) == 0;
            keep = keep || token.trimmed().compare("keep-alive", Qt::CaseInsensitive) == 0;
        }
    }
    m_keepAlive = m_http10 ? keep && !close : !close;

    bool chunked = false;
    for (const QByteArray& v : headerValues("Transfer-Encoding")) {
        chunked = chunked || v.toLower().contains("chunked");
    }
    const QList<QByteArray> lengths = headerValues("Content-Length");
    if (m_status == 204 || m_status == 304 || m_status < 200) {
        m_framing = Framing::None;
    } else if (chunked) {
        m_framing = Framing::Chunked;
    } else if (!lengths.isEmpty()) {
        bool ok = false;
        const QByteArray first = lengths.first().trimmed();
        const qlonglong length = first.toLongLong(&ok);
        for (const QByteArray& other : lengths) {
            ok = ok && other.trimmed() == first;
        }
        if (!ok || length < 0 || first.startsWith('+')) {
            return fail(QStringLiteral("The server sent an invalid Content-Length."));
        }
        if (length > m_limits.maxBodyBytes) {
            return fail(QStringLiteral("The response is too large."));
        }
        m_framing = Framing::Length;
        m_remaining = length;
    } else {
        m_framing = Framing::UntilClose;
        m_keepAlive = false;
    }
    m_state = State::WaitBody;
    return Result::HeadersDone;
}

HttpResponseParser::Result HttpResponseParser::appendBody(qsizetype count) {
    if (m_body.size() + count > m_limits.maxBodyBytes) {
        return fail(QStringLiteral("The response is too large."));
    }
    m_body.append(m_pending.constData(), count);
    m_pending.remove(0, count);
    return Result::NeedMore;
}

HttpResponseParser::Result HttpResponseParser::step() {
    QByteArray line;
    for (;;) {
        switch (m_state) {
            case State::StatusLine:
            case State::Headers:
            case State::Trailers: {
                const qsizetype before = m_pending.size();
                const bool haveLine = takeLine(line);
                m_headerBytes += haveLine ? before - m_pending.size() : 0;
                if (m_headerBytes + (haveLine ? 0 : m_pending.size()) > m_limits.maxHeaderBytes) {
                    return fail(QStringLiteral("The response header is too large."));
                }
                if (!haveLine) {
                    return Result::NeedMore;
                }
                if (m_state == State::StatusLine) {
                    if (line.isEmpty()) {
                        continue;  // tolerate blank lines before the status line
                    }
                    if (parseStatusLine(line) == Result::Failed) {
                        return Result::Failed;
                    }
                } else if (line.isEmpty()) {
                    if (m_state == State::Trailers) {
                        m_state = State::Done;
                        return Result::Done;
                    }
                    const Result r = headersComplete();
                    if (r != Result::NeedMore) {
                        return r;
                    }
                } else if (m_state == State::Headers) {
                    if ((line[0] == ' ' || line[0] == '\t') && !m_headers.isEmpty()) {
                        m_headers.last().second += ' ' + line.trimmed();  // folded line
                        continue;
                    }
                    const qsizetype colon = line.indexOf(':');
                    if (colon <= 0) {
                        continue;  // not a header; read over it
                    }
                    m_headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
                }
                break;
            }
            case State::WaitBody:
                return Result::HeadersDone;
            case State::Body: {
                if (m_framing == Framing::UntilClose) {
                    return m_pending.isEmpty() ? Result::NeedMore : appendBody(m_pending.size());
                }
                const qsizetype take = qMin<qint64>(m_remaining, m_pending.size());
                if (appendBody(take) == Result::Failed) {
                    return Result::Failed;
                }
                m_remaining -= take;
                if (m_remaining == 0) {
                    m_state = State::Done;
                    return Result::Done;
                }
                return Result::NeedMore;
            }
            case State::ChunkSize: {
                if (!takeLine(line)) {
                    if (m_pending.size() > 1024) {
                        return fail(QStringLiteral("The server sent an invalid chunk."));
                    }
                    return Result::NeedMore;
                }
                const qsizetype semicolon = line.indexOf(';');
                const QByteArray digits = (semicolon >= 0 ? line.left(semicolon) : line).trimmed();
                if (digits.isEmpty() || digits.size() > 15) {
                    return fail(QStringLiteral("The server sent an invalid chunk."));
                }
                qint64 size = 0;
                for (char c : digits) {
                    int d = -1;
                    if (c >= '0' && c <= '9')
                        d = c - '0';
                    if (c >= 'a' && c <= 'f')
                        d = c - 'a' + 10;
                    if (c >= 'A' && c <= 'F')
                        d = c - 'A' + 10;
                    if (d < 0) {
                        return fail(QStringLiteral("The server sent an invalid chunk."));
                    }
                    size = size * 16 + d;  // at most 15 digits: no overflow
                }
                if (size > m_limits.maxBodyBytes - m_body.size()) {
                    return fail(QStringLiteral("The response is too large."));
                }
                m_remaining = size;
                m_state = size == 0 ? State::Trailers : State::ChunkData;
                break;
            }
            case State::ChunkData: {
                const qsizetype take = qMin<qint64>(m_remaining, m_pending.size());
                if (appendBody(take) == Result::Failed) {
                    return Result::Failed;
                }
                m_remaining -= take;
                if (m_remaining > 0) {
                    return Result::NeedMore;
                }
                m_state = State::ChunkEnd;
                break;
            }
            case State::ChunkEnd:
                if (!takeLine(line)) {
                    return m_pending.size() > 2
                               ? fail(QStringLiteral("The server sent an invalid chunk."))
                               : Result::NeedMore;
                }
                if (!line.isEmpty()) {
                    return fail(QStringLiteral("The server sent an invalid chunk."));
                }
                m_state = State::ChunkSize;
                break;
            case State::Done:
                return Result::Done;
            case State::Failed:
                return Result::Failed;
        }
    }
}

}  // namespace velora
