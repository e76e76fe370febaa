#pragma once
// The station directory: the lines of the directory answer after its two header lines,
// eight per station (0 unused, 1 name, 2 stream, 3 advert, 4 page, 5 and 6 links,
// 7 cover-art mode).

#include <QByteArray>
#include <QList>
#include <QString>

namespace velora {

// Turns the raw answer body into the directory text (code page 1254 bytes, CR LF line
// ends): CR LF, lone CR, lone LF and "__" all become line breaks; a body that is not
// well-formed UTF-8 (as the service writes it: two- and three-byte sequences only)
// becomes empty text.
QByteArray normaliseDirectoryAnswer(const QByteArray& body);

// Strict decoding of the service's UTF-8: a byte of 128 or more starts a sequence of
// three bytes when its bit 32 is set, else of two, and every following byte must lie in
// 128..191. Any cut or malformed sequence (four-byte ones included) gives empty text.
QString decodeServiceUtf8(const QByteArray& bytes);

class StationDirectory {
public:
    static constexpr int kLinesPerStation = 8;
    static constexpr int kMaxLineLength = 4096;

    StationDirectory() = default;
    // Splits at CR LF; a final line break does not start another line.
    explicit StationDirectory(const QByteArray& text);

    qsizetype lineCount() const { return m_lines.size(); }
    // At most the first 4096 characters; empty text beyond the end or below 0.
    QString line(qsizetype index) const;
    QString field(int station, int field) const { return line(qsizetype(station) * 8 + field); }
    // Removes the first line (the version, then the download address).
    void removeFirstLine();
    int stationCount() const { return static_cast<int>(m_lines.size() / kLinesPerStation); }
    // The whole text, lines joined by CR LF (what the hidden directory control holds).
    QString text() const;

private:
    QList<QByteArray> m_lines;
};

}  // namespace velora
