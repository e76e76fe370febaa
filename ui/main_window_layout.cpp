// Construction of the window's controls: names, positions, sizes, initial texts.
#include "ui/main_window.h"

namespace velora::ui {
namespace {

template <typename T>
T* make(QWidget* parent, const char* name, QRect geometry) {
    auto* w = new T(parent);  // owned by its parent
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

QWidget* makePanel(QWidget* parent, const char* name) {
    auto* panel = make<QWidget>(parent, name, QRect(0, 0, 320, 424));
    panel->setAutoFillBackground(true);
    return panel;
}

QFont tahoma(int pixels, bool bold) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

}  // namespace

void TForm1::buildControls() {
    setWindowTitle(QStringLiteral("Diraz Velora"));
    setFixedSize(320, 480);

    panel_yayin = makePanel(this, "panel_yayin");
    Panel_yayinakisi = makePanel(this, "Panel_yayinakisi");
    panel_duyurular = makePanel(this, "panel_duyurular");
    panel_mesaj = makePanel(this, "panel_mesaj");
    panel_iletisim = makePanel(this, "panel_iletisim");
    for (QWidget* p : {Panel_yayinakisi, panel_duyurular, panel_mesaj, panel_iletisim}) {
        p->hide();
    }

    // State holders: outside the 320 x 480 client area or never shown.
    firma = make<QLineEdit>(this, "firma", QRect(400, 0, 121, 21));
    firma->setText(QStringLiteral("velora"));
    firma->hide();
    versiyon = make<QLineEdit>(this, "versiyon", QRect(400, 24, 121, 21));
    versiyon->setText(QStringLiteral("1003"));
    versiyon->hide();
    Memo1 = make<QPlainTextEdit>(this, "Memo1", QRect(400, 48, 185, 89));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->hide();
    cb_radyosec = make<StationSelector>(panel_yayin, "cb_radyosec", QRect(340, 150, 171, 21));
    cb_radyosec->setFont(tahoma(11, true));
    Label6 = make<QLabel>(panel_yayin, "Label6", QRect(340, 130, 110, 16));
    Label6->setText(QStringLiteral("Diraz Seçiniz :"));
    Label6->setFont(tahoma(13, true));
    Label6->setStyleSheet(QStringLiteral("color: red"));
    calan1 = make<QLabel>(panel_yayin, "calan1", QRect(340, 180, 179, 21));
    calan1->setText(QStringLiteral("__"));
    calan1->setWordWrap(true);
    calan1->setFont(tahoma(11, true));
    calan1->hide();
    calan2 = make<QLabel>(panel_yayin, "calan2", QRect(340, 204, 177, 21));
    calan2->setText(QStringLiteral("__"));
    calan2->setFont(tahoma(12, true));
    calan2->setStyleSheet(QStringLiteral("color: red"));
    lbl_kbit = make<QLabel>(panel_yayin, "lbl_kbit", QRect(340, 228, 100, 13));
    lbl_kbit->setText(QStringLiteral("32 Kbit / Saniye"));
    lbl_kbit->setFont(tahoma(9, true));
    lbl_kbit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbl_kbit->setStyleSheet(QStringLiteral("color: red"));
}

}  // namespace velora::ui
