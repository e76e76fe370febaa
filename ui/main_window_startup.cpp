// Start-up of the window: the creation and show handlers and the directory handshake.
#include <QCoreApplication>
#include <QLoggingCategory>

#include "service/cp1254.h"
#include "service/device_identity.h"
#include "service/directory_handshake.h"
#include "service/http_error.h"
#include "service/ini_file.h"
#include "ui/main_window.h"

Q_LOGGING_CATEGORY(lcStartup, "velora.startup", QtWarningMsg)

namespace velora::ui {

bool TForm1::FormCreate() {
    // 1. Every panel takes the player panel's size and the top-left corner.
    for (QWidget* p : {panel_mesaj, panel_duyurular, Panel_yayinakisi, panel_iletisim}) {
        p->resize(panel_yayin->width(), panel_yayin->height());
        p->move(0, 0);
    }
    // 2. The fixed client area.
    setFixedSize(320, 480);
    // 3. Let the window system catch up with the layout.
    QCoreApplication::processEvents();
    // 4. No now-playing text yet.
    calan1->clear();
    FitTitleLabel(QString());
    // 5. Qt paints every widget through an off-screen buffer already.
    // 6. No stations until the directory has answered.
    StationCount = 0;
    // 7. The station page view is never shown.
    WebBrowser2->setVisible(false);
    // 8. The start station.
    SavedStationIndex = readSavedStationIndex(m_env.executablePath);
    // 9. Without the directory there is nothing to play: the quit is on its way, and the
    //    window is still shown once before the message loop takes it up.
    if (!runDirectoryHandshake()) {
        return true;
    }
    // 10. The first station, unless the settings name another (FormShow).
    cb_radyosec->setCurrentIndex(cb_radyosec->count() > 0 ? 0 : -1);
    if (StationCount == 1) {
        cb_radyosec->hide();
        Label6->hide();
    }
    lbl_kbit->clear();
    // 11-13. The sound output; without it the program ends before it is shown.
    if (const int code = m_env.openAudioOutput ? m_env.openAudioOutput() : 0; code != 0) {
        ShowAudioError(QStringLiteral("Ses Kartı Açılamadı"), code);
        return false;
    }
    m_env.audio->setNetworkPrebuffer(0);
    return true;
}

void TForm1::ShowAudioError(const QString& message, int code) {
    // A box with no title of its own.
    m_env.dialogs->information(QString(),
                               message + QStringLiteral("\r\n(Hata Kodu: %1)").arg(code));
}

bool TForm1::runDirectoryHandshake() {
    const DirectoryQuery query{m_env.hosts.service, firma->text(), versiyon->text(),
                               SavedStationIndex, GetMacAddress()};
    QByteArray body;
    try {
        body = IdHTTP1.get(directoryRequestUrl(query));
    } catch (const HttpError&) {
        m_env.dialogs->information(
            m_env.applicationTitle(),
            QStringLiteral("İnternet bağlantınızı kontrol edip programı tekrar çalıştırınız..."));
        m_env.requestQuit();
        return false;
    }
    const DirectoryAnswer answer = readDirectoryAnswer(body, versiyon->text());
    Memo1->setPlainText(answer.directory.text());
    cb_radyosec->clear();
    if (answer.updateOffered) {
        m_env.dialogs->information(
            m_env.applicationTitle(),
            QStringLiteral("Programin Yeni Versiyonu Cikmistir.\r\nIndirip Kurunuz."));
        m_env.shell->open(answer.downloadAddress);
        QCoreApplication::processEvents();
        m_env.requestQuit();
    }
    m_directory = answer.directory;
    StationCount = m_directory.stationCount();
    cb_radyosec->addItems(answer.stationNames);
    qCInfo(lcStartup) << "station directory:" << StationCount << "stations" << answer.stationNames;
    return true;
}

void TForm1::FormShow() {
    // A signed comparison: every negative index passes and leaves no station selected.
    if (SavedStationIndex <= cb_radyosec->count() - 1) {
        cb_radyosec->setCurrentIndex(SavedStationIndex < 0 ? -1 : SavedStationIndex);
    }
    cb_radyosecCloseUp();
}

}  // namespace velora::ui
