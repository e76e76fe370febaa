#pragma once
// The cover lookup behind a title change: find the picture's address by the station's
// cover-art mode, download it, decode it and scale it to the cover's size.
//
// Thread: the thread that owns the shared client (the main thread). Requests pump
// events while they wait, so a second lookup may run inside the first one; a lookup
// keeps all of its temporaries to itself, so that is safe.

#include <QByteArray>
#include <QLoggingCategory>
#include <optional>

#include "cover/raster.h"
#include "service/http_client.h"

// velora.cover: what each lookup found or why it gave up; quiet unless switched on.
Q_DECLARE_LOGGING_CATEGORY(lcCover)

namespace velora::cover {

class CoverFinder {
public:
    // `search` is the window's shared client (image-search pages only); the client each
    // download makes for itself waits and gives up as that one does. `imageSearchHost`
    // is "host[:port]".
    CoverFinder(HttpClient& search, QByteArray imageSearchHost);

    // The cover of `title` (trimmed, worth a lookup) scaled to `width` x `height`, or
    // nullopt when there is nothing to show: no address for the mode, a failed request,
    // data that is not a usable JPEG, a size the resampler refuses. Never throws.
    std::optional<Raster> find(const QByteArray& mode, const QByteArray& title, int width,
                               int height) const;

    // The address the mode gives for `title`; empty when there is none. May ask the
    // image search (and throw HttpError when that fails).
    QByteArray coverAddress(const QByteArray& mode, const QByteArray& title) const;

private:
    std::optional<QByteArray> download(const QByteArray& address) const;

    HttpClient& m_search;
    QByteArray m_imageSearchHost;
};

}  // namespace velora::cover
