// The cover lookup behind a new title, and the picture it places in Image3.
#include <QImage>
#include <QPixmap>
#include <cstring>

#include "playback/stream_texts.h"
#include "service/cp1254.h"
#include "ui/main_window.h"

namespace velora::ui {

namespace {

QImage toImage(const cover::Raster& raster) {
    QImage image(raster.width(), raster.height(), QImage::Format_RGB888);
    for (int y = 0; y < raster.height(); ++y) {
        std::memcpy(image.scanLine(y), raster.row(y), raster.stride());
    }
    return image;
}

}  // namespace

void TForm1::Button1Click() {
    // The title is remembered before anything else, so an empty title or an advert is
    // not looked up again for as long as it stays.
    LastTitle = playback::trimmedTitle(edt_2->text());
    if (!playback::coverLookupWanted(LastTitle)) {
        return;
    }
    // The lookup waits on the network with events running: a newer title may start a
    // lookup of its own meanwhile (and change LastTitle). Whichever ends last places
    // its picture; a lookup that finds nothing leaves the cover as it is.
    const std::optional<cover::Raster> picture = m_coverFinder.find(
        cp1254::encode(CoverArtMode), cp1254::encode(LastTitle), Image3->width(), Image3->height());
    if (!picture) {
        return;
    }
    Image3->setPixmap(QPixmap::fromImage(toImage(*picture)));
    const QRect placed(Image3->mapTo(this, QPoint()), Image3->size());
    qCInfo(lcCover).nospace() << "cover placed in Image3: " << picture->width() << "x"
                              << picture->height() << " at (" << placed.x() << "," << placed.y()
                              << "), " << (rect().contains(placed) ? "inside" : "outside")
                              << " the visible window";
}

}  // namespace velora::ui
