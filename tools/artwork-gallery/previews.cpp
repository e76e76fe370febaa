#include "previews.h"

#include <QFont>
#include <QPainter>

#include "ui/artwork/artwork.h"

namespace velora::tools {
namespace {

using ui::artwork::Picture;
using ui::artwork::picture;

// What the volume slider shows: the ruler stretched to 218 columns by repeating its middle (two
// fixed columns at each end), cut to the control's 13 rows, and the keyed thumb at `value`.
void drawVolumeSlider(QPainter& p, int value) {
    const QImage ruler = picture(Picture::VolumeTrack);
    const QPoint origin(51, 369);
    p.save();
    p.setClipRect(QRect(origin, QSize(218, 13)));
    p.drawImage(origin, ruler.copy(0, 0, 212, 14));
    p.drawImage(origin + QPoint(212, 0), ruler.copy(208, 0, 6, 14));
    p.restore();
    const QImage thumb = picture(Picture::VolumeThumb);
    const int x = origin.x() + value * (218 - 15) / 100;
    for (int ty = 0; ty < 13; ++ty) {
        for (int tx = 0; tx < 15; ++tx) {
            if (thumb.pixel(tx, ty) != ui::artwork::kSliderKeyColour) {
                p.setPen(QColor(thumb.pixel(tx, ty)));
                p.drawPoint(x + tx, origin.y() + ty);
            }
        }
    }
}

QImage player() {
    QImage image = picture(Picture::Image1);
    QPainter p(&image);
    p.drawImage(114, 204, picture(Picture::PlayFace));
    p.drawImage(40, 365, picture(Picture::Image5));
    p.drawImage(267, 366, picture(Picture::Image18));
    drawVolumeSlider(p, 70);
    return image;
}

QImage message() {
    QImage image = picture(Picture::Image2);
    QPainter p(&image);
    p.drawImage(89, 359, picture(Picture::Image17));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(27, 119, 270, 21), Qt::AlignVCenter, QStringLiteral("Ayşe Yılmaz"));
    return image;
}

QImage contact() {
    QImage image = picture(Picture::Image19);
    QPainter p(&image);
    p.drawImage(22, 91, picture(Picture::Image4));
    p.drawImage(22, 149, picture(Picture::Image6));
    p.drawImage(21, 207, picture(Picture::Image7));
    p.drawImage(22, 269, picture(Picture::Image8));
    p.drawImage(216, 352, picture(Picture::Image10));
    p.drawImage(256, 352, picture(Picture::Image12));
    return image;
}

// A list of `count` rows of `rowHeight` from `top`, rows 304 wide with the row picture from
// column 2, the scroll bar's 17 columns on the right.
template <typename DrawText>
QImage list(Picture background, Picture row, int top, int rowHeight, int count, DrawText text) {
    QImage image = picture(background);
    const QImage rowImage = picture(row).copy(0, 0, 302, rowHeight);
    QPainter p(&image);
    p.fillRect(QRect(0, top, 321, rowHeight * count), QColor(192, 192, 192));
    p.fillRect(QRect(304, top, 16, rowHeight * count), QColor(230, 230, 230));
    for (int i = 0; i < count; ++i) {
        const int y = top + i * rowHeight;
        if (i == 0) {
            p.fillRect(QRect(0, y, 2, rowHeight), Qt::black);
        }
        p.drawImage(2, y, rowImage);
        text(p, i, y);
    }
    return image;
}

QFont tahomaLike(int pixels, bool bold, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QImage schedule() {
    static const char* const kNames[] = {"Güne Merhaba",  "Sabah Keyfi", "Haberler",
                                         "Öğle Arası",    "Türkü Vakti", "İkindi Sohbeti",
                                         "Akşam Rüzgârı", "Gece Yarısı", "Caz Saati"};
    return list(Picture::Image14, Picture::Image13, 88, 37, 9, [](QPainter& p, int i, int y) {
        p.setFont(tahomaLike(11, true, true));
        p.setPen(QColor(103, 103, 103));
        p.drawText(QRect(12, y + 13, 53, 17),
                   QStringLiteral("%1:00").arg(7 + 2 * i, 2, 10, QLatin1Char('0')));
        p.setPen(Qt::black);
        p.drawText(QRect(51, y + 13, 225, 17), QString::fromUtf8(kNames[i]));
        if (i % 3 == 1) {
            p.setFont(tahomaLike(19, true, false));
            p.setPen(QColor(2, 47, 130));
            p.drawText(QRect(281, y + 8, 19, 22), QStringLiteral(">"));
        }
    });
}

QImage announcements() {
    return list(Picture::Image15, Picture::Image16, 65, 71, 5, [](QPainter& p, int i, int y) {
        p.setFont(tahomaLike(11, true, true));
        p.setPen(Qt::black);
        p.drawText(QRect(9, y + 1, 272, 17), QStringLiteral("Duyuru başlığı %1").arg(i + 1));
        p.setFont(tahomaLike(11, false, true));
        p.drawText(QRect(8, y + 17, 273, 52), Qt::TextWordWrap,
                   QStringLiteral("Yayın ekibimizden kısa bir haber: bu hafta sonu canlı "
                                  "konser yayınımızı kaçırmayın."));
        p.setFont(tahomaLike(19, true, false));
        p.setPen(QColor(218, 7, 7));
        p.drawText(QRect(281, y + 17, 19, 22), QStringLiteral(">"));
    });
}

}  // namespace

QList<QPair<QString, QImage>> panelPreviews() {
    // The tab control covers the panel from row 423; the background already carries that strip.
    return {{QStringLiteral("Preview1-Player"), player()},
            {QStringLiteral("Preview2-Schedule"), schedule()},
            {QStringLiteral("Preview3-Announcements"), announcements()},
            {QStringLiteral("Preview4-Message"), message()},
            {QStringLiteral("Preview5-Contact"), contact()}};
}

}  // namespace velora::tools
