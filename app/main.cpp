// Program entry: one instance per executable name, the window, the message loop.
// Every way out ends with exit code 0.

#include <QApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <cstdio>
#include <cstdlib>

#include "app/instance_lock.h"
#include "audio/engine.h"
#include "ui/desktop_services.h"
#include "ui/main_window.h"

namespace {

// Boxes and shell go to stderr instead of the screen when VELORA_DIALOGS / VELORA_SHELL
// say "stderr" (scripted runs and end-to-end tests).
bool toStderr(const char* variable) {
    return qgetenv(variable) == "stderr";
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    velora::ui::MessageBoxDialogs boxDialogs;
    velora::ui::StderrDialogs stderrDialogs;
    velora::ui::DesktopShell desktopShell;
    velora::ui::StderrShell stderrShell;

    velora::ui::Environment env;
    env.hosts = velora::ServiceHosts::fromBuildAndEnvironment();
    // The name the program was started under decides its instance and title.
    env.executablePath = QCoreApplication::applicationDirPath() + '/' +
                         QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    env.dialogs = toStderr("VELORA_DIALOGS") ? static_cast<velora::ui::Dialogs*>(&stderrDialogs)
                                             : &boxDialogs;
    env.shell =
        toStderr("VELORA_SHELL") ? static_cast<velora::ui::Shell*>(&stderrShell) : &desktopShell;
    // A quit asked for during start-up takes effect once the message loop runs. It is
    // posted just before the loop starts: handlers that process pending events during
    // start-up would otherwise take it up while no loop is there to end.
    bool quitRequested = false;
    bool loopRunning = false;
    env.requestQuit = [&app, &quitRequested, &loopRunning] {
        quitRequested = true;
        if (loopRunning) {
            QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
        }
    };

    auto engine = std::make_shared<velora::audio::Engine>();
    env.audio = engine;
    env.openAudioOutput = [engine] {
        return engine->init(velora::audio::Engine::kDefaultRate)
                   ? 0
                   : static_cast<int>(engine->lastError());
    };

    velora::InstanceLock lock(env.instanceName());
    if (!lock.acquire()) {
        env.dialogs->information(QString(),
                                 QStringLiteral("Program henüz açık ikinci kez açamazsınız"));
        return 0;
    }

    velora::ui::TForm1 form(env);
    if (!form.FormCreate()) {
        std::fflush(nullptr);
        std::_Exit(0);  // the sound output could not be opened: end at once
    }
    form.showMainWindow();
    if (quitRequested) {
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    }
    loopRunning = true;
    app.exec();
    // Runs may still be connecting or waiting for the window: like the sound output, they
    // end with the process, at once and without being waited for.
    std::fflush(nullptr);
    std::_Exit(0);
}
