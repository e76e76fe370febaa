#include "ui/window_fonts.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>

namespace velora::ui {
namespace {

bool hasTurkishLetters(const QString& family) {
    QFont font(family);
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("ğĞışŞİçÇöÖüÜ")) {
        if (!metrics.inFont(c)) {
            return false;
        }
    }
    return true;
}

bool familyInstalled(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

void provide(const QString& family, const QStringList& files, const QStringList& fallbacks) {
    if (familyInstalled(family) && hasTurkishLetters(family)) {
        return;
    }
    for (const QString& file : files) {
        if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0 &&
            familyInstalled(family) && hasTurkishLetters(family)) {
            return;
        }
    }
    for (const QString& fallback : fallbacks) {
        if (familyInstalled(fallback) && hasTurkishLetters(fallback)) {
            QFont::insertSubstitution(family, fallback);
            return;
        }
    }
}

}  // namespace

void installWindowFonts() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    const QString wine = QStringLiteral("/usr/share/wine/fonts/");
    provide(QStringLiteral("Tahoma"), {wine + "tahoma.ttf", wine + "tahomabd.ttf"},
            {QStringLiteral("DejaVu Sans")});
    provide(QStringLiteral("MS Sans Serif"), {wine + "ms_sans_serif.ttf"},
            {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    provide(QStringLiteral("Arial"), {},
            {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

}  // namespace velora::ui
