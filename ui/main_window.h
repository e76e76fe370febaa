#pragma once
// The program's only window: a fixed 320 x 480 phone-like surface with five panels and
// a tab strip, plus the hidden and off-screen controls that hold the state the handlers
// share. Controls keep their designer names as member names and object names.
//
// Thread: main thread only. Handlers are named after their control and event.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "cover/cover_lookup.h"
#include "playback/station_player.h"
#include "service/http_client.h"
#include "service/station_directory.h"
#include "ui/environment.h"
#include "ui/guide/announcement_panel.h"
#include "ui/guide/schedule_panel.h"
#include "ui/html_view.h"
#include "ui/limited_text_edit.h"
#include "ui/picture.h"
#include "ui/slider/slider.h"

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

class TForm1 final : public QWidget, public playback::PlayerView {
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

    // Navigation and links.
    void tabMouseDown(Qt::MouseButton button, int x, int y);
    void Image1MouseDown(Qt::MouseButton button);
    void CreditMenuItemClick();
    void Image6Click();
    void Image8Click();
    void Label9Click();
    void Label10Click();

    // The listener message.
    void Image17Click();

    // Playback: selection, stop and start routines, the toggle, the timers.
    void btn_durClick();
    void btn_baslaClick();
    void lbl_playMouseDown();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void WebBrowser2DocumentComplete();

    // Status channel, now-playing texts, cover lookup start, volume.
    void playerStatus(const playback::PlayerStatus& status) override;
    void edt_1Change();
    void edt_2Change();
    void Button1Click();
    void Slider_volumeChange();
    void SetStreamVolume(int volume) override;
    void ShowAudioError(const QString& message, int code);
    QString LastTitle;
    int lbl_playTag = 0;  // toggle state: 1 while the stop picture shows
    int Timer4Tag = 0;    // advert watch: 5 while an advert plays, 1 when it has ended

    const StationDirectory& stationDirectory() const { return m_directory; }

    // Addresses the contact panel and the credit menu open.
    static constexpr const char* kMakerSite = "http://www.torviksistem.com.tr";
    static constexpr const char* kMapPage =
        "https://www.openstreetmap.org/?mlat=41.0430&mlon=29.0060#map=17/41.0430/29.0060";
    QString brandSite() const;

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

    // Player panel.
    TSlider* Slider_volume = nullptr;
    Picture* Image1 = nullptr;
    Picture* img_play = nullptr;
    Picture* lbl_play = nullptr;
    Picture* Image5 = nullptr;
    Picture* Image18 = nullptr;

    // Schedule and announcement panel backgrounds.
    Picture* Image14 = nullptr;
    Picture* Image15 = nullptr;

    // Message panel.
    Picture* Image2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    LimitedTextEdit* Memo2 = nullptr;
    Picture* Image17 = nullptr;

    // Contact panel.
    Picture* Image19 = nullptr;
    Picture* Image4 = nullptr;
    Picture* Image6 = nullptr;
    Picture* Image7 = nullptr;
    Picture* Image8 = nullptr;
    Picture* Image10 = nullptr;
    Picture* Image12 = nullptr;
    Picture* Label9 = nullptr;
    Picture* Label10 = nullptr;

    // Tab strip and its five pictures (zone N highlighted in tab_N).
    Picture* tab = nullptr;
    Picture* tab_1 = nullptr;
    Picture* tab_2 = nullptr;
    Picture* tab_3 = nullptr;
    Picture* tab_4 = nullptr;
    Picture* tab_5 = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* CreditMenuItem = nullptr;

    // State holders outside the visible area.
    QLineEdit* firma = nullptr;
    QLineEdit* versiyon = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    StationSelector* cb_radyosec = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* calan1 = nullptr;
    QLabel* calan2 = nullptr;
    QLabel* lbl_kbit = nullptr;
    QLabel* lbl_khz = nullptr;
    QLabel* lbl_mono_stereo = nullptr;
    QLabel* lbl_ses = nullptr;
    QLineEdit* edt_1 = nullptr;
    QLineEdit* edt_2 = nullptr;
    QLineEdit* edt_3 = nullptr;
    Picture* img_play_ = nullptr;
    Picture* img_stop_ = nullptr;
    QPushButton* btn_basla = nullptr;
    QPushButton* btn_dur = nullptr;
    QPushButton* Button1 = nullptr;
    QLabel* Image3 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
    HtmlView* WebBrowser2 = nullptr;

    // The programme guide on tabs 2 and 3.
    std::unique_ptr<SchedulePanel> schedule;
    std::unique_ptr<AnnouncementPanel> announcements;

    HttpClient IdHTTP1;

    playback::StationPlayer& player() { return *m_player; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildPlayerPanel();
    void buildMessagePanel();
    void buildContactPanel();
    void buildTabStrip();
    void buildPlaybackHolders();
    void applyArtwork();
    // Mailbox write: the change handler runs only on a real change of text.
    void setMailbox(QLineEdit* box, const QString& text);
    // Effects of playback runs, carried out on the main thread.
    int volumeValue() const override;
    void setVolumeValue(int value) override;
    void advertStarting() override;
    void advertPlaying() override;
    void fadeInStarting() override;
    void showStreamFormat(int sampleRate, int channels) override;
    bool stationWanted() const override;
    void wireHandlers();
    void openLink(const QString& address);
    bool m_sending = false;  // a listener message is on its way
    // The directory handshake; false when its request failed.
    bool runDirectoryHandshake();
    void centreOnDesktop();

    Environment& m_env;
    cover::CoverFinder m_coverFinder;
    std::shared_ptr<playback::MainThreadChannel> m_channel;
    std::unique_ptr<playback::StationPlayer> m_player;
    StationDirectory m_directory;
    bool m_placed = false;
};

}  // namespace velora::ui
