// Program entry: one instance per executable name, the window, the message loop.
// Every way out ends with exit code 0.

#include <QApplication>
#include <QFileInfo>
#include <QMetaObject>

#include "app/instance_lock.h"
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
    // A quit asked for before the loop runs must wait in the queue for it.
    env.requestQuit = [&app] {
        QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    };

    velora::InstanceLock lock(env.instanceName());
    if (!lock.acquire()) {
        env.dialogs->information(QString(),
                                 QStringLiteral("Program henüz açık ikinci kez açamazsınız"));
        return 0;
    }

    velora::ui::TForm1 form(env);
    if (!form.FormCreate()) {
        return 0;
    }
    form.showMainWindow();
    app.exec();
    return 0;
}
