// Station selection and playback: the stop and start routines, the play/stop toggle,
// the advert-end watch, the reconnect, and what the runs do to the window.
#include <QCoreApplication>
#include <QLocale>
#include <QThread>

#include "service/cp1254.h"
#include "ui/main_window.h"

namespace velora::ui {

using playback::StationPlayer;

void TForm1::cb_radyosecCloseUp() {
    btn_durClick();
    const int i = cb_radyosec->currentIndex();
    if (i < 0) {
        // No station selected: nothing to read from the directory, nothing to start.
        StationStreamUrl = AdvertUrl = StationPageUrl = LinkA = LinkB = CoverArtMode = QString();
        return;
    }
    StationStreamUrl = m_directory.field(i, 2);
    AdvertUrl = m_directory.field(i, 3);
    StationPageUrl = m_directory.field(i, 4);
    LinkA = m_directory.field(i, 5);
    LinkB = m_directory.field(i, 6);
    CoverArtMode = m_directory.field(i, 7);
    // The station page loads in the background; a page that fails shows nothing.
    WebBrowser2->navigate(QUrl(StationPageUrl));
    img_play->setImage(img_stop_->image());
    lbl_playTag = 1;
    QCoreApplication::processEvents();
    btn_baslaClick();
    QCoreApplication::processEvents();
    QThread::msleep(100);
}

void TForm1::btn_durClick() {
    m_player->setCancelled(true);
    QCoreApplication::processEvents();
    m_player->stopCurrent();
    setMailbox(edt_1, QStringLiteral("Durduruldu..."));
    setMailbox(edt_2, QString());
    Timer4Tag = 0;
    Timer4->stop();
    Timer3->stop();
    Slider_volume->SetValue(70);
}

void TForm1::btn_baslaClick() {
    m_player->setCancelled(false);
    PlayUrl = StationStreamUrl;
    if (PlayUrl.isEmpty()) {
        return;
    }
    if (!AdvertUrl.isEmpty()) {
        m_player->PlayAdvertThread(cp1254::encode(AdvertUrl));
        return;
    }
    Timer4Tag = 0;
    PlayUrl = StationStreamUrl;
    m_player->PlayStationThread(cp1254::encode(PlayUrl));
}

void TForm1::lbl_playMouseDown() {
    if (lbl_playTag != 0) {
        img_play->setImage(img_play_->image());
        lbl_playTag = 0;
        QCoreApplication::processEvents();
        m_player->stopCurrent();
        return;
    }
    // Always the live stream anew: the toggle never resumes and never plays the advert.
    m_player->stopCurrent();
    img_play->setImage(img_stop_->image());
    lbl_playTag = 1;
    QCoreApplication::processEvents();
    PlayUrl = StationStreamUrl;
    if (!PlayUrl.isEmpty()) {
        m_player->PlayStationThread(cp1254::encode(PlayUrl));
    }
}

void TForm1::Timer4Timer() {
    if (Timer4Tag == 5 && m_player->currentStreamFinished()) {
        Timer4Tag = 1;
    }
    if (Timer4Tag == 1) {
        Timer4Tag = 0;
        PlayUrl = StationStreamUrl;
        m_player->PlayStationThread(cp1254::encode(PlayUrl));
    }
}

void TForm1::WebBrowser2DocumentComplete() {
    // The station page shows without scroll bars, border or margin.
    WebBrowser2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WebBrowser2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WebBrowser2->setFrameShape(QFrame::NoFrame);
    WebBrowser2->document()->setDocumentMargin(0);
}

void TForm1::Timer2Timer() {
    PlayUrl = StationStreamUrl;
    m_player->PlayStationThread(cp1254::encode(PlayUrl));
}

int TForm1::volumeValue() const {
    return Slider_volume->Value();
}

void TForm1::setVolumeValue(int value) {
    Slider_volume->SetValue(value);
}

void TForm1::advertStarting() {
    calan1->setText(QStringLiteral("Reklam"));
    FitTitleLabel(QString());
}

void TForm1::advertPlaying() {
    Timer4Tag = 5;
    Timer4->start();
}

void TForm1::fadeInStarting() {
    Timer3->start();
}

void TForm1::showStreamFormat(int sampleRate, int channels) {
    lbl_khz->setText(QLocale::c().toString(qRound(sampleRate / 1000.0)) + QStringLiteral(" KHZ"));
    lbl_mono_stereo->setText(channels == 1 ? QStringLiteral("MONO") : QStringLiteral("STEREO"));
}

bool TForm1::stationWanted() const {
    return lbl_playTag == 1;
}

void TForm1::SetStreamVolume(int volume) {
    m_player->setCurrentVolume(volume);
}

void TForm1::Slider_volumeChange() {
    QCoreApplication::processEvents();
    SetStreamVolume(Slider_volume->Value());
    lbl_ses->setText(QString::number(Slider_volume->Value()));
    QCoreApplication::processEvents();
}

void TForm1::Timer3Timer() {
    QCoreApplication::processEvents();
    if (Slider_volume->Value() >= 70) {
        Timer3->stop();
        return;
    }
    Slider_volume->SetValue(Slider_volume->Value() + 1);
}

}  // namespace velora::ui
