// How long a station takes to be heard, and what playing costs.
//
// Window: from FormShow to the first sample of the live stream reaching the sound device,
// on the simulator's burst-on-connect MP3 mount with no advert (the AAC attempt comes
// first, as in every station run). Engine: the same mount opened by the engine alone
// (AAC attempt, MP3, the 76 % fill, play) to its first sample: the difference is what
// the run, the window and the status channel add.
// Then CPU seconds of the whole process and of the main thread over 10 s of playing.
//
// Usage: station-start-bench [runs]   (SDL_AUDIODRIVER=dummy unless set)

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <thread>

#include "audio/engine.h"
#include "sim/demo.h"
#include "ui/desktop_services.h"
#include "ui/main_window.h"

namespace {

using velora::audio::Engine;
using velora::audio::FilePosition;

double threadCpu() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double processCpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop, as the program does, until the current stream has reached the
// sound device (checked every millisecond).
void waitForFirstSample(Engine& engine, velora::ui::TForm1& form) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const auto position = engine.position(form.player().currentStream());
        if (position != 0 && position != velora::audio::kNoLength) {
            loop.quit();
        }
    });
    poll.start(1);
    loop.exec();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The engine alone, as a station run drives it.
double engineAlone(Engine& engine, const std::string& url) {
    QElapsedTimer t;
    t.start();
    auto h = engine.createAacStream(url, nullptr);
    if (h == 0) {
        h = engine.createMpegStream(url, nullptr);
    }
    for (;;) {
        const auto end = engine.filePosition(h, FilePosition::End);
        if (end == velora::audio::kNoFilePosition)
            break;
        const auto pct = end == 0 ? 0u
                                  : (engine.filePosition(h, FilePosition::Download) -
                                     engine.filePosition(h, FilePosition::Current)) *
                                        100u / end;
        if (pct >= 76)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    engine.play(h);
    while (engine.position(h) == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    engine.free(h);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    velora::sim::Server server;
    velora::sim::World world(server);
    const std::string live = server.url("/stream/pop");
    world.stations.setStations({{"1", "Bench", live, "", "", "", "", "g"}});

    velora::ui::StderrDialogs dialogs;
    velora::ui::StderrShell shell;
    velora::ui::Environment env;
    env.hosts.service = env.hosts.web = env.hosts.imageSearch =
        QByteArray::fromStdString(server.hostPort());
    env.executablePath = QStringLiteral("/tmp/diraz-velora");
    env.dialogs = &dialogs;
    env.shell = &shell;
    env.requestQuit = [] {};
    auto engine = std::make_shared<Engine>();
    if (!engine->init()) {
        std::fprintf(stderr, "no sound device\n");
        return 1;
    }
    env.audio = engine;

    std::vector<double> window, alone;
    double playCpu = 0, playMainCpu = 0;
    for (int i = 0; i < runs; ++i) {
        auto form = std::make_unique<velora::ui::TForm1>(env);
        form->FormCreate();
        QElapsedTimer t;
        t.start();
        form->showMainWindow();
        waitForFirstSample(*engine, *form);
        window.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (i == 0) {
            // Let the fade finish, then measure 10 s of plain playing.
            QTest::qWait(2500);
            const double cpu0 = processCpu(), main0 = threadCpu();
            QTest::qWait(10000);
            playCpu = processCpu() - cpu0;
            playMainCpu = threadCpu() - main0;
        }
        form->btn_durClick();
        engine->free(form->player().currentStream());
        form.reset();
        QTest::qWait(300);
        alone.push_back(engineAlone(*engine, live));
        QTest::qWait(300);
    }
    // Buffering on a mount that sends no burst: about a second and a half of waiting.
    world.stations.setStations(
        {{"1", "Bench", server.url("/stream/pop-noburst"), "", "", "", "", "g"}});
    double bufferCpu = 0, bufferMainCpu = 0, bufferMs = 0;
    {
        auto form = std::make_unique<velora::ui::TForm1>(env);
        form->FormCreate();
        QElapsedTimer t;
        t.start();
        const double cpu0 = processCpu(), main0 = threadCpu();
        form->showMainWindow();
        waitForFirstSample(*engine, *form);
        bufferCpu = processCpu() - cpu0;
        bufferMainCpu = threadCpu() - main0;
        bufferMs = static_cast<double>(t.nsecsElapsed()) / 1e6;
        form->btn_durClick();
    }
    std::printf("FormShow to first sample (median of %d): %.0f ms\n", runs, median(window));
    std::printf("engine alone, create to first sample:   %.0f ms\n", median(alone));
    std::printf(
        "run and window overhead:                %.0f ms (FormShow's own 100 ms pause included)\n",
        median(window) - median(alone));
    std::printf("CPU over 10 s of playing: process %.2f s, main thread %.3f s\n", playCpu,
                playMainCpu);
    std::printf(
        "no-burst mount: first sample after %.0f ms; CPU meanwhile: process %.3f s, "
        "main thread %.3f s\n",
        bufferMs, bufferCpu, bufferMainCpu);
    std::fflush(stdout);
    std::_Exit(0);
}
