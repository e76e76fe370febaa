// Writes every picture of the main window to PNG files, the five panels assembled from them, and
// one contact sheet, so the artwork can be reviewed without starting the player.
//
//   artwork-gallery [output-folder]    (default: ./artwork-gallery)

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "previews.h"
#include "ui/artwork/artwork.h"

namespace {

using velora::ui::artwork::Picture;
namespace artwork = velora::ui::artwork;

// Alpha pictures are shown on a checkerboard so their transparency is visible.
void drawChecker(QPainter& p, const QRect& r) {
    constexpr int kCell = 6;
    for (int y = r.top(); y <= r.bottom(); y += kCell) {
        for (int x = r.left(); x <= r.right(); x += kCell) {
            const bool dark = ((x - r.left()) / kCell + (y - r.top()) / kCell) % 2 != 0;
            p.fillRect(QRect(x, y, kCell, kCell).intersected(r),
                       dark ? QColor(200, 200, 206) : QColor(236, 236, 240));
        }
    }
}

QImage contactSheet(const QList<QPair<QString, QImage>>& items) {
    constexpr int kWidth = 1400;
    constexpr int kGap = 16;
    constexpr int kLabel = 18;
    // Flow layout: left to right, wrapping; first pass measures the height.
    const auto layOut = [&](QPainter* p) {
        int x = kGap;
        int y = kGap;
        int rowHeight = 0;
        for (const auto& [name, image] : items) {
            if (x + image.width() > kWidth - kGap) {
                x = kGap;
                y += rowHeight + kGap;
                rowHeight = 0;
            }
            if (p != nullptr) {
                const QRect target(QPoint(x, y + kLabel), image.size());
                if (image.hasAlphaChannel()) {
                    drawChecker(*p, target);
                }
                p->drawImage(target.topLeft(), image);
                p->drawText(
                    QPoint(x, y + kLabel - 5),
                    QStringLiteral("%1  %2×%3").arg(name).arg(image.width()).arg(image.height()));
            }
            x += std::max(image.width(), 110) + kGap;
            rowHeight = std::max(rowHeight, image.height() + kLabel);
        }
        return y + rowHeight + kGap;
    };
    QImage sheet(kWidth, layOut(nullptr), QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 252));
    QPainter p(&sheet);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    p.setPen(QColor(60, 60, 70));
    layOut(&p);
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "artwork-gallery";
    QDir dir;
    if (!dir.mkpath(folder)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
        return 1;
    }

    QList<QPair<QString, QImage>> items;
    for (Picture id : artwork::allPictures()) {
        items.append({QString::fromLatin1(artwork::pictureName(id)), artwork::picture(id)});
    }
    const QList<QPair<QString, QImage>> previews = velora::tools::panelPreviews();
    items.append(previews);
    for (int size : {16, 32, 48, 256}) {
        items.append({QStringLiteral("AppIcon%1").arg(size), artwork::appIconImage(size)});
    }

    for (const auto& [name, image] : items) {
        const QString path = QDir(folder).filePath(name + ".png");
        if (!image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString sheetPath = QDir(folder).filePath("contact-sheet.png");
    if (!contactSheet(items).save(sheetPath)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(sheetPath));
        return 1;
    }
    std::printf("%lld pictures and %s written\n", static_cast<long long>(items.size()),
                qPrintable(sheetPath));
    return 0;
}
