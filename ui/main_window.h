#pragma once
// The program's only window: a fixed 320 x 480 phone-like surface with five panels and
// a tab strip, plus the hidden and off-screen controls that hold the state the handlers
// share. Controls keep their designer names as member names and object names.
//
// Thread: main thread only. Handlers are named after their control and event.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

#include "service/http_client.h"
#include "service/station_directory.h"
#include "ui/environment.h"

namespace velora::ui {

// The station selector: reports every close of its drop-down list, whether or not the
// choice changed.
class StationSelector final : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void hidePopup() override;
signals:
    void closedUp();
};

class TForm1 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Environment& env, QWidget* parent = nullptr);
    ~TForm1() override;

    // Start-up, in the order the program runs them. FormCreate returns false when the
    // program must end at once, without showing the window.
    bool FormCreate();
    void FormShow();
    // FormShow, then the first placement, then the window becomes visible.
    void showMainWindow();

    // Selects the station at the selector's index and starts it.
    void cb_radyosecCloseUp();
    // Sets the now-playing label, in the smaller font when the text is too wide.
    void FitTitleLabel(const QString& text);

    const StationDirectory& stationDirectory() const { return m_directory; }

    // Shared state of the handlers.
    int32_t SavedStationIndex = 0;
    int StationCount = 0;
    QString StationStreamUrl;
    QString AdvertUrl;
    QString StationPageUrl;
    QString LinkA;
    QString LinkB;
    QString CoverArtMode;
    QString PlayUrl;

    // Panels.
    QWidget* panel_yayin = nullptr;
    QWidget* Panel_yayinakisi = nullptr;
    QWidget* panel_duyurular = nullptr;
    QWidget* panel_mesaj = nullptr;
    QWidget* panel_iletisim = nullptr;

    // State holders outside the visible area.
    QLineEdit* firma = nullptr;
    QLineEdit* versiyon = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    StationSelector* cb_radyosec = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* calan1 = nullptr;
    QLabel* calan2 = nullptr;
    QLabel* lbl_kbit = nullptr;

    HttpClient IdHTTP1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    // The directory handshake; false when its request failed.
    bool runDirectoryHandshake();
    void centreOnDesktop();

    Environment& m_env;
    StationDirectory m_directory;
    bool m_placed = false;
};

}  // namespace velora::ui
