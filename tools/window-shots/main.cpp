// window-shots: pictures of the player's five panels, for people reviewing the window.
// Starts the station simulator in-process, brings the window up against it offscreen
// (no sound device needed), lets the start station play for a moment, then saves one
// PNG per tab, and the cover of the current title (which the window keeps outside its
// visible area) as cover.png.  Usage: window-shots [folder]   (default ./window-shots)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "audio/engine.h"
#include "sim/demo.h"
#include "ui/desktop_services.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) {
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    QApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("window-shots");
    QDir().mkpath(folder);

    velora::sim::Server server;
    velora::sim::World world(server);

    velora::ui::StderrDialogs dialogs;
    velora::ui::StderrShell shell;
    velora::ui::Environment env;
    env.hosts.service = env.hosts.web = env.hosts.imageSearch =
        QByteArray::fromStdString(server.hostPort());
    env.executablePath = QDir(folder).filePath(QStringLiteral("diraz-velora"));
    env.dialogs = &dialogs;
    env.shell = &shell;
    env.requestQuit = [] {};
    auto engine = std::make_shared<velora::audio::Engine>();
    env.audio = engine;
    env.openAudioOutput = [engine] {
        return engine->init() ? 0 : static_cast<int>(engine->lastError());
    };

    velora::ui::TForm1 form(env);
    if (!form.FormCreate()) {
        return 1;
    }
    form.showMainWindow();
    QTest::qWait(4000);  // the start station connects, buffers and fades in

    const char* names[] = {"1-yayin", "2-yayin-akisi", "3-duyurular", "4-mesaj", "5-iletisim"};
    for (int tab = 1; tab <= 5; ++tab) {
        form.tabMouseDown(Qt::LeftButton, (tab - 1) * 64 + 32, 20);
        QTest::qWait(tab == 2 || tab == 3 ? 1500 : 200);
        const QString file = QDir(folder).filePath(QStringLiteral("%1.png").arg(names[tab - 1]));
        form.grab().save(file);
        std::printf("%s\n", file.toLocal8Bit().constData());
    }
    if (!form.Image3->pixmap().isNull()) {
        const QString file = QDir(folder).filePath(QStringLiteral("cover.png"));
        form.Image3->pixmap().save(file);
        std::printf("%s (%s)\n", file.toLocal8Bit().constData(),
                    form.LastTitle.toUtf8().constData());
    }
    std::fflush(stdout);
    std::_Exit(0);  // runs and the sound output end with the process
}
