#pragma once
// Where a title's cover picture is looked for. Texts are the window's single-byte text
// (code page 1254); every rule works on those bytes.

#include <QByteArray>
#include <QByteArrayView>

namespace velora::cover {

// Without leading and trailing bytes of code 32 or less.
QByteArray trimmedBytes(QByteArrayView text);

// The file name of the "f-" mode: the artist (the trimmed text before the first "-",
// cut at a "/" and then at a "&"), blanks as "%20", then ".JPG". 'First Last - Song'
// gives 'First%20Last.JPG'; a title without an artist gives ".JPG".
QByteArray CoverFileName(QByteArrayView title);

// The request target of the image search for an encoded title.
QByteArray imageSearchTarget(QByteArrayView encodedTitle);

// The cover address an image-search result page points at: "http://" and the text
// between the first "src=http://" and the next ":http://" within 500 characters.
// Without a usable address the result is shorter than 10 characters.
QByteArray scrapedCoverAddress(QByteArrayView page);

// How a station's cover-art mode finds covers (compared exactly, case-sensitive).
enum class CoverSource { ImageSearch, Title, FileName, None };
CoverSource coverSourceOf(QByteArrayView mode);

// The address prefix of the "w-" and "f-" modes: the mode from its third character, at
// most 100 characters.
QByteArray coverPrefix(QByteArrayView mode);

}  // namespace velora::cover
