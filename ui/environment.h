#pragma once
// Everything the outside world supplies to the window. The program fills it from the
// real world (app/); tests fill it with recorders.

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

#include "audio/stream_engine.h"
#include "service/service_hosts.h"

namespace velora::ui {

// Modal boxes. Each call returns when the listener has answered (OK).
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Message text, OK, no icon.
    virtual void information(const QString& title, const QString& text) = 0;
    // Message text, OK, error icon.
    virtual void error(const QString& title, const QString& text) = 0;
};

// Opens an address in the listener's default browser, maximised. The result is not
// looked at: an address that cannot be opened opens nothing.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const QString& address) = 0;
};

struct Environment {
    ServiceHosts hosts;
    QString executablePath;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    Dialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    // Asks the message loop to end once it runs; never ends anything at once.
    std::function<void()> requestQuit;
    // Moves the window with the mouse until the button is released (the window system's
    // move command); empty: the window asks its own window system.
    std::function<void()> startWindowMove;
    // The audio engine, and the opening of its output: 0, or the engine's error code.
    std::shared_ptr<audio::StreamEngine> audio;
    std::function<int()> openAudioOutput;

    // The executable's file name less its last four characters.
    QString instanceName() const;
    // The file name cut at its first dot, every character after the first in lower case.
    QString applicationTitle() const;
};

}  // namespace velora::ui
