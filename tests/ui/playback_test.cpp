// Station runs driven through the window against a scripted engine.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include "support/recorders.h"
#include "ui/main_window.h"

namespace velora {
namespace {

using test::StreamScript;

class PlaybackTest : public ::testing::Test {
protected:
    PlaybackTest() {
        world.service.setStations(
            {{"1", "With advert", "http://s/live", "http://s/advert", "", "", "", "g"},
             {"2", "Plain", "http://s/plain", "", "", "", "", "g"}});
    }
    void start(int station = 0) {
        form = std::make_unique<ui::TForm1>(world.env);
        ASSERT_TRUE(form->FormCreate());
        QObject::connect(form->edt_1, &QLineEdit::textChanged,
                         [this](const QString& t) { statuses.append(t); });
        form->cb_radyosec->setCurrentIndex(station);
        form->cb_radyosecCloseUp();
    }
    bool played(audio::StreamHandle h) const {
        for (const auto& c : world.engine->calls()) {
            if (c.what == "play" && c.stream == h) {
                return true;
            }
        }
        return false;
    }
    bool playedUrl(const std::string& url) const { return played(world.engine->streamFor(url)); }
    test::TestWorld world;
    std::unique_ptr<ui::TForm1> form;
    QStringList statuses;
};

TEST_F(PlaybackTest, AdvertThenStationWithThresholdsAndFadeIn) {
    static constexpr char kIcy[] = "icy-name:Pop FM\0icy-br:128\0";
    world.engine->script("http://s/advert", StreamScript{.fills = {30, 30, 31}});
    world.engine->script("http://s/live", StreamScript{.fills = {75, 76},
                                                       .icy = std::string(kIcy, sizeof kIcy),
                                                       .meta = "StreamTitle='A - B';"});
    start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Timer4Tag == 5; }));
    EXPECT_TRUE(playedUrl("http://s/advert"));
    EXPECT_EQ(form->calan1->text(), "Reklam");
    EXPECT_TRUE(statuses.contains("Arabelleğe Alınıyor... 30%"));
    EXPECT_TRUE(statuses.contains("Arabelleğe Alınıyor... 31%"));
    EXPECT_FALSE(statuses.contains("Bağlanıyor..."));  // the advert run does not say so
    // The advert plays at the listener's volume (70 after the stop routine).
    const auto advert = world.engine->streamFor("http://s/advert");
    bool atVolume = false;
    for (const auto& c : world.engine->calls()) {
        atVolume = atVolume || (c.stream == advert && c.what == "volume" && c.value == 70);
    }
    EXPECT_TRUE(atVolume);

    world.engine->setFinished(world.engine->streamFor("http://s/advert"), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/live"); }));
    EXPECT_TRUE(statuses.contains("Bağlanıyor..."));
    EXPECT_TRUE(statuses.contains("Arabelleğe Alınıyor... 75%"));
    EXPECT_EQ(world.engine->userAgent(), "dodevazedorev");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->lbl_mono_stereo->text() == "STEREO"; }));
    EXPECT_EQ(form->edt_1->text(), "Pop FM");
    EXPECT_EQ(form->lbl_kbit->text(), "128 KBit");
    EXPECT_EQ(form->edt_2->text(), "A - B");
    EXPECT_EQ(form->LastTitle, "A - B");
    EXPECT_EQ(form->lbl_khz->text(), "44 KHZ");
    // Volume 0 reached the stream before it played, then the fade runs up to 70.
    const auto live = world.engine->streamFor("http://s/live");
    bool silentFirst = false;
    for (const auto& c : world.engine->calls()) {
        if (c.stream == live && c.what == "volume" && c.value == 0)
            silentFirst = true;
        if (c.stream == live && c.what == "play")
            break;
    }
    EXPECT_TRUE(silentFirst);
    EXPECT_TRUE(form->Timer3->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Timer3->isActive(); }, 5000));
    EXPECT_EQ(form->Slider_volume->Value(), 70);
    EXPECT_EQ(form->lbl_ses->text(), "70");
}

TEST_F(PlaybackTest, ALiveEndPlaysAtOnceAndAnEndOfZeroIsNotReadyYet) {
    world.engine->script("http://s/plain", StreamScript{.live = true});
    start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/plain"); }));
    for (const QString& s : statuses) {
        EXPECT_FALSE(s.startsWith("Arabelleğe")) << s.toStdString();
    }

    statuses.clear();
    world.engine->script("http://s/plain", StreamScript{.fills = {80}, .endZeroFirst = true});
    form->lbl_playMouseDown();  // stop
    form->lbl_playMouseDown();  // and the live stream anew
    ASSERT_TRUE(QTest::qWaitFor([&] { return statuses.contains("Arabelleğe Alınıyor... 80%"); }));
    EXPECT_TRUE(statuses.contains("Arabelleğe Alınıyor... 0%"));
}

TEST_F(PlaybackTest, StopWhileBufferingCancelsTheRunAndLeavesItsStream) {
    world.engine->script("http://s/plain", StreamScript{.fills = {10}});
    start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return statuses.contains("Arabelleğe Alınıyor... 10%"); }));
    const auto stream = world.engine->streamFor("http://s/plain");
    form->btn_durClick();
    EXPECT_EQ(form->edt_1->text(), "Durduruldu...");
    QTest::qWait(100);
    EXPECT_FALSE(played(stream));
    for (const auto& c : world.engine->calls()) {
        EXPECT_FALSE(c.what == "free" && c.stream == stream);
    }
}

TEST_F(PlaybackTest, TheToggleStopsButDoesNotCancelABufferingRun) {
    world.engine->script("http://s/plain", StreamScript{.fills = {10, 10, 10, 10, 10, 90}});
    start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return statuses.contains("Arabelleğe Alınıyor... 10%"); }));
    form->lbl_playMouseDown();
    EXPECT_EQ(form->lbl_playTag, 0);
    EXPECT_EQ(form->img_play->image(), form->img_play_->image());
    // The run goes on and plays when its buffer is ready, the play picture showing.
    EXPECT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/plain"); }));
}

TEST_F(PlaybackTest, NoConnectionRetriesEvery500MsAndAFailedAdvertLeadsToTheStation) {
    world.engine->script("http://s/advert", StreamScript{.opens = false});
    world.engine->script("http://s/live", StreamScript{.opens = false});
    start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->edt_1->text() == "Bağlantı Yok"; }));
    EXPECT_TRUE(form->Timer2->isActive());
    // The retry is the station's live stream, not the advert.
    world.engine->script("http://s/live", StreamScript{.fills = {100}});
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/live"); }));
    EXPECT_GE(t.elapsed(), 300);
    EXPECT_FALSE(form->Timer2->isActive());
    // The toggle while "no connection" shows leaves the reconnect running.
}

TEST_F(PlaybackTest, ASupersededRunNeitherPlaysNorReports) {
    world.engine->script("http://s/plain", StreamScript{.fills = {100}, .createDelayMs = 300});
    world.engine->script("http://s/live", StreamScript{.fills = {100}});
    start(1);
    // A new selection while the first run is still connecting.
    world.engine->script("http://s/advert", StreamScript{.opens = false});
    form->cb_radyosec->setCurrentIndex(0);
    form->AdvertUrl.clear();
    form->btn_durClick();
    form->StationStreamUrl = "http://s/live";
    form->AdvertUrl = "";
    form->btn_baslaClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/live"); }));
    QTest::qWait(500);
    const auto old = world.engine->streamFor("http://s/plain");
    EXPECT_FALSE(played(old));
    // Only the newer stream is current, and it was never freed by the older run.
    EXPECT_EQ(form->player().currentStream(), world.engine->streamFor("http://s/live"));
}

TEST_F(PlaybackTest, AStationStreamThatBreaksOffReconnectsUnlessTheListenerStoppedIt) {
    world.engine->script("http://s/plain", StreamScript{.fills = {100}});
    start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/plain"); }));
    const auto first = world.engine->streamFor("http://s/plain");
    std::thread([&] { world.engine->fireEnd(first); }).detach();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->edt_1->text() == "Bağlantı Yok"; }));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return world.engine->streamFor("http://s/plain") != first; }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/plain"); }));

    form->lbl_playMouseDown();  // the listener stops it
    const auto second = world.engine->streamFor("http://s/plain");
    statuses.clear();
    std::thread([&] { world.engine->fireEnd(second); }).detach();
    QTest::qWait(200);
    EXPECT_FALSE(statuses.contains("Bağlantı Yok"));
    EXPECT_FALSE(form->Timer2->isActive());
}

TEST_F(PlaybackTest, TitlesFromTheMetadataSyncReachTheWindowOnce) {
    world.engine->script("http://s/plain", StreamScript{.fills = {100}});
    start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return playedUrl("http://s/plain"); }));
    const auto stream = world.engine->streamFor("http://s/plain");
    QStringList titles;
    QObject::connect(form->edt_2, &QLineEdit::textChanged,
                     [&](const QString& t) { titles.append(t); });
    std::thread([&] {
        world.engine->fireMeta(stream, "StreamTitle='Rock & Roll';");
        world.engine->fireMeta(stream, "StreamTitle='Rock & Roll';");
    }).detach();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->LastTitle == "Rock & Roll"; }));
    QTest::qWait(50);
    EXPECT_EQ(titles, QStringList{"Rock & Roll"});
    EXPECT_EQ(form->calan2->text(), "Rock && Roll");
}

TEST_F(PlaybackTest, AnEmptyStationAddressStartsNothing) {
    start(1);
    form->StationStreamUrl.clear();
    form->btn_baslaClick();
    QTest::qWait(50);
    EXPECT_TRUE(world.engine->opened().size() <= 1);
    form->cb_radyosec->setCurrentIndex(-1);
    form->cb_radyosecCloseUp();
    EXPECT_EQ(form->StationStreamUrl, "");
}

TEST(StatusChannel, MailboxesLabelsAndTheBitRateRule) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    using playback::PlayerStatus;
    form.playerStatus({playback::STATUS_BITRATE, 0, "BitRate: 12345"});
    EXPECT_EQ(form.lbl_kbit->text(), "1234 KBit");
    form.playerStatus({playback::STATUS_SERVER_TEXT, 0, "ICY 200 OK"});
    EXPECT_EQ(form.edt_3->text(), "ICY 200 OK");
    EXPECT_EQ(form.lbl_kbit->text(), "1234 KBit");  // kept
    form.playerStatus({playback::STATUS_NO_CONNECTION, 0, {}});
    EXPECT_TRUE(form.Timer2->isActive());
    EXPECT_EQ(form.calan1->text(), "Bağlantı Yok");
    form.playerStatus({playback::STATUS_CONNECTING, 0, {}});
    EXPECT_FALSE(form.Timer2->isActive());
    EXPECT_EQ(form.edt_3->text(), "");
    EXPECT_EQ(form.lbl_kbit->text(), "1234 KBit");
    form.playerStatus({playback::STATUS_BUFFERING, 45, {}});
    EXPECT_EQ(form.calan1->text(), "Arabelleğe Alınıyor... 45%");
    form.playerStatus({playback::STATUS_STATION_NAME, 0,
                       "R&B \xDE"
                       "ark\xFD"});
    EXPECT_EQ(form.calan1->text(), "R&&B Şarkı");
    form.playerStatus({6, 0, "ignored"});
    EXPECT_EQ(form.edt_1->text(), "R&B Şarkı");
}

TEST(StatusChannel, ATitleIsFittedToTheLabel) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    QFont eight = form.calan2->font();
    eight.setPixelSize(11);
    QString fits;
    while (QFontMetrics(eight).horizontalAdvance(fits + "m") <= 177) {
        fits += "m";
    }
    form.FitTitleLabel(fits);
    EXPECT_EQ(form.calan2->font().pixelSize(), 11);
    form.FitTitleLabel(fits + "mm");
    EXPECT_EQ(form.calan2->font().pixelSize(), 8);
    EXPECT_EQ(form.calan2->text(), fits + "mm");  // neither cut nor wrapped
}

TEST(Volume, FadeStepsAndListenerMoves) {
    test::TestWorld world;
    ui::TForm1 form(world.env);
    auto runFade = [&](int maxTicks) {
        form.Timer3->start();
        int ticks = 0;
        while (form.Timer3->isActive() && ticks < maxTicks) {
            form.Timer3Timer();
            ++ticks;
        }
        return ticks;
    };
    form.Slider_volume->SetValue(0);
    EXPECT_EQ(runFade(200), 71);  // 70 steps, then the tick that ends it
    EXPECT_EQ(form.Slider_volume->Value(), 70);

    form.Slider_volume->SetValue(0);
    form.Timer3->start();
    for (int i = 0; i < 10; ++i)
        form.Timer3Timer();
    form.Slider_volume->SetValue(40);  // the listener
    EXPECT_EQ(runFade(200), 31);
    EXPECT_EQ(form.Slider_volume->Value(), 70);

    form.Slider_volume->SetValue(85);
    EXPECT_EQ(runFade(200), 1);
    EXPECT_EQ(form.Slider_volume->Value(), 85);

    // The same value again applies nothing.
    const size_t before = world.engine->calls().size();
    form.lbl_ses->setText("x");
    form.Slider_volume->SetValue(85);
    EXPECT_EQ(world.engine->calls().size(), before);
    EXPECT_EQ(form.lbl_ses->text(), "x");
}

}  // namespace
}  // namespace velora
