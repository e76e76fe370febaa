// The window, the real engine and the simulator's mounts together, with what was played
// read back from SDL's disk driver. One engine per test process: SDL reads the driver
// variables when the device opens.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <cmath>

#include "audio/engine.h"
#include "sim/audio_mounts.h"
#include "support/recorders.h"
#include "ui/main_window.h"

namespace velora {
namespace {

constexpr int kRate = 44100;
constexpr double kToneRms = 0.5 / 1.41421356;

class StationEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_file = QStringLiteral("%1/velora-e2e-%2-%3.raw")
                     .arg(QDir::tempPath(), info->name())
                     .arg(::getpid());
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", m_file.toLocal8Bit());
        sim::addAudioMounts(world.server);
        engine = std::make_shared<audio::Engine>();
        world.env.audio = engine;
        world.env.openAudioOutput = [this] {
            return engine->init() ? 0 : static_cast<int>(engine->lastError());
        };
        const std::string s = world.server.url("");
        world.service.setStations(
            {{"1", "Advert", s + "/stream/pop", s + "/advert/spot.mp3", "", "", "", "g"},
             {"2", "Plain", s + "/stream/pop", "", "", "", "", "g"}});
    }
    void TearDown() override {
        form.reset();
        QFile::remove(m_file);
    }
    void start(int station) {
        form = std::make_unique<ui::TForm1>(world.env);
        ASSERT_TRUE(form->FormCreate());
        form->cb_radyosec->setCurrentIndex(station);
        form->cb_radyosecCloseUp();
    }
    // Interleaved stereo floats written so far.
    std::vector<float> output() const {
        QFile f(m_file);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        std::vector<float> s(static_cast<size_t>(bytes.size()) / sizeof(float));
        std::memcpy(s.data(), bytes.constData(), s.size() * sizeof(float));
        return s;
    }
    static double rms(const std::vector<float>& s, size_t from, size_t frames) {
        double sum = 0;
        for (size_t i = from; i < from + frames && 2 * i + 1 < s.size(); ++i) {
            sum += double{s[2 * i]} * s[2 * i];
        }
        return std::sqrt(sum / static_cast<double>(frames));
    }
    static double frequency(const std::vector<float>& s, size_t from, size_t frames) {
        int crossings = 0;
        for (size_t i = from + 1; i < from + frames && 2 * i < s.size(); ++i) {
            crossings += s[2 * (i - 1)] < 0 && s[2 * i] >= 0 ? 1 : 0;
        }
        return crossings * double{kRate} / static_cast<double>(frames);
    }
    static size_t firstSound(const std::vector<float>& s, size_t from = 0) {
        for (size_t i = from; 2 * i + 1 < s.size(); ++i) {
            if (std::abs(s[2 * i]) > 0.01f) {
                return i;
            }
        }
        return s.size() / 2;
    }

    test::TestWorld world;
    std::shared_ptr<audio::Engine> engine;
    std::unique_ptr<ui::TForm1> form;
    QString m_file;
};

TEST_F(StationEndToEnd, TheAdvertPlaysFirstThenTheStationFadesIn) {
    start(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->lbl_mono_stereo->text() == "STEREO"; }, 15000));
    QTest::qWait(4500);  // the fade-in and a little more
    const auto out = output();
    const size_t advert = firstSound(out);
    ASSERT_LT(advert + kRate, out.size() / 2);
    EXPECT_NEAR(frequency(out, advert + 2205, 22050), 880, 8);
    // The advert lasts 2 s; the station follows after a gap of silence.
    size_t advertEnd = advert;
    for (size_t i = advert; 2 * i + 1 < out.size(); i += 441) {
        if (rms(out, i, 441) < 0.005) {
            advertEnd = i;
            break;
        }
    }
    const size_t station = firstSound(out, advertEnd);
    ASSERT_LT(station + 3 * kRate, out.size() / 2);
    const double gap = static_cast<double>(station - advertEnd) / kRate;
    std::printf("advert %.2f s, gap before the station %.3f s\n",
                static_cast<double>(advertEnd - advert) / kRate, gap);
    EXPECT_NEAR(static_cast<double>(advertEnd - advert) / kRate, 2.0, 0.15);
    EXPECT_LT(gap, 1.5);
    // The station: its own tone, rising from silence to the level of volume 70 in ~2.1 s.
    EXPECT_NEAR(frequency(out, station + kRate, 22050), 440, 6);
    const double early = rms(out, station, 4410);
    const double middle = rms(out, station + kRate, 4410);
    const double settled = rms(out, station + 2 * kRate + kRate / 2, 4410);
    EXPECT_LT(early, 0.2 * settled);
    EXPECT_GT(middle, early);
    EXPECT_GT(settled, middle);
    EXPECT_NEAR(settled / kToneRms, 0.70, 0.06);
}

TEST_F(StationEndToEnd, ARefusedStreamShowsNoConnectionAndPlaysWhenTheServerIsBack) {
    form = std::make_unique<ui::TForm1>(world.env);
    ASSERT_TRUE(form->FormCreate());
    world.server.setRefusing(true);
    form->cb_radyosec->setCurrentIndex(1);
    form->cb_radyosecCloseUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->edt_1->text() == "Bağlantı Yok"; }, 8000));
    world.server.setRefusing(false);
    QElapsedTimer back;
    back.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->lbl_mono_stereo->text() == "STEREO"; }, 8000));
    std::printf("playing %lld ms after the server came back\n",
                static_cast<long long>(back.elapsed()));
    EXPECT_LT(back.elapsed(), 2000);
}

TEST_F(StationEndToEnd, AServerLostMidStreamIsReconnected) {
    start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->lbl_mono_stereo->text() == "STEREO"; }, 8000));
    const uint16_t port = world.server.port();
    world.server.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->edt_1->text() == "Bağlantı Yok"; }, 10000));
    form->lbl_mono_stereo->setText("M/S");
    sim::Server again(port);
    sim::addAudioMounts(again);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->lbl_mono_stereo->text() == "STEREO"; }, 8000));
    EXPECT_TRUE(form->edt_1->text().startsWith("Diraz Velora"));  // the mount's station name
}

TEST_F(StationEndToEnd, ClosingTheWindowWhileARunConnectsEndsPromptly) {
    sim::Response slow = sim::Response::text("");
    slow.delay = std::chrono::milliseconds(3000);
    world.server.overrideNext("/stream/pop", slow);
    start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->edt_1->text() == "Bağlanıyor..."; }, 3000));
    QElapsedTimer t;
    t.start();
    form->close();
    form.reset();
    EXPECT_LT(t.elapsed(), 1000);
    QTest::qWait(3500);  // the run gives up on its own, touching nothing of the window
}

}  // namespace
}  // namespace velora
