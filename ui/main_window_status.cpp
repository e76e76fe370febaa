// The status channel's reports, the three mailboxes and the labels they drive.
#include <QLoggingCategory>

#include "playback/stream_texts.h"
#include "service/cp1254.h"
#include "ui/main_window.h"

Q_LOGGING_CATEGORY(lcStatus, "velora.status", QtWarningMsg)

namespace velora::ui {

using namespace velora::playback;

void TForm1::setMailbox(QLineEdit* box, const QString& text) {
    if (box->text() == text) {
        return;
    }
    box->setText(text);
    if (box == edt_1) {
        edt_1Change();
    } else if (box == edt_2) {
        edt_2Change();
    }
}

void TForm1::playerStatus(const PlayerStatus& status) {
    const QString text = cp1254::decode(status.text);
    switch (status.code) {
        case STATUS_CONNECTING:
            setMailbox(edt_1, QStringLiteral("Bağlanıyor..."));
            setMailbox(edt_2, QString());
            setMailbox(edt_3, QString());
            Timer2->stop();
            break;
        case STATUS_NO_CONNECTION:
            Timer2->start();
            setMailbox(edt_1, QStringLiteral("Bağlantı Yok"));
            break;
        case STATUS_BUFFERING:
            setMailbox(edt_1, QStringLiteral("Arabelleğe Alınıyor... %1%").arg(status.value));
            break;
        case STATUS_STATION_NAME:
            setMailbox(edt_1, text);
            break;
        case STATUS_BITRATE:
        case STATUS_SERVER_TEXT:
            setMailbox(edt_3, text);
            break;
        case STATUS_TITLE:
            setMailbox(edt_2, text);
            break;
        default:
            return;
    }
    if (auto label = bitRateLabel(edt_3->text())) {
        lbl_kbit->setText(*label);
    }
}

void TForm1::edt_1Change() {
    calan1->setText(edt_1->text().replace('&', QStringLiteral("&&")));
    FitTitleLabel(edt_2->text().replace('&', QStringLiteral("&&")));
}

void TForm1::edt_2Change() {
    edt_1Change();
    if (edt_2->text() != LastTitle) {
        Button1Click();
    }
}

}  // namespace velora::ui
