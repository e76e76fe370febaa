#include "cover/cover_address.h"

namespace velora::cover {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The text before the first `separator`, trimmed; the whole text when it holds none.
QByteArrayView before(QByteArrayView text, char separator) {
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? text : text.first(at);
}

}  // namespace

QByteArray trimmedBytes(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin).toByteArray();
}

QByteArray CoverFileName(QByteArrayView title) {
    const QByteArray s = trimmedBytes(title);
    const qsizetype dash = s.indexOf('-');
    QByteArray artist = dash > 0 ? trimmedBytes(QByteArrayView(s).first(dash)) : QByteArray();
    if (artist.contains('/')) {
        artist = trimmedBytes(before(artist, '/'));
    }
    if (artist.contains('&')) {
        artist = trimmedBytes(before(artist, '&'));
    }
    artist.replace(" ", "%20");
    return trimmedBytes(artist) + ".JPG";
}

QByteArray imageSearchTarget(QByteArrayView encodedTitle) {
    return "/images?q=" + encodedTitle.toByteArray() + "&um=1&hl=tr&biw=1362&bih=585&uss=1";
}

QByteArray scrapedCoverAddress(QByteArrayView page) {
    static constexpr QByteArrayView kMarker = "src=http://";
    // Without the marker the window starts at the eleventh character all the same.
    const qsizetype marker = page.indexOf(kMarker);
    const qsizetype from = marker < 0 ? kMarker.size() - 1 : marker + kMarker.size();
    const QByteArrayView window =
        from >= page.size() ? QByteArrayView()
                            : page.sliced(from).first(qMin<qsizetype>(500, page.size() - from));
    const qsizetype end = window.indexOf(QByteArrayView(":http://"));
    const QByteArrayView head = end > 0 ? window.first(end) : QByteArrayView();
    return "http://" + head.toByteArray();
}

CoverSource coverSourceOf(QByteArrayView mode) {
    if (mode == QByteArrayView("g")) {
        return CoverSource::ImageSearch;
    }
    if (mode.startsWith("w-")) {
        return CoverSource::Title;
    }
    if (mode.startsWith("f-")) {
        return CoverSource::FileName;
    }
    return CoverSource::None;
}

QByteArray coverPrefix(QByteArrayView mode) {
    return mode.size() <= 2
               ? QByteArray()
               : mode.sliced(2).first(qMin<qsizetype>(100, mode.size() - 2)).toByteArray();
}

}  // namespace velora::cover
