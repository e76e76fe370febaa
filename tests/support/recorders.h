#pragma once
// Recorders for the window's outside world, and a window test fixture wired to an
// in-process station simulator.

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "sim/demo.h"
#include "support/fake_engine.h"
#include "support/qt_printers.h"
#include "ui/environment.h"

namespace velora::test {

struct Box {
    QString kind;  // "information" or "error"
    QString title;
    QString text;
};

class RecordingDialogs final : public ui::Dialogs {
public:
    void information(const QString& title, const QString& text) override {
        boxes.append({QStringLiteral("information"), title, text});
        if (onBox) {
            onBox();
        }
    }
    void error(const QString& title, const QString& text) override {
        boxes.append({QStringLiteral("error"), title, text});
        if (onBox) {
            onBox();
        }
    }
    QList<Box> boxes;
    std::function<void()> onBox;  // runs while the box "is open"
};

class RecordingShell final : public ui::Shell {
public:
    void open(const QString& address) override { opened.append(address); }
    QStringList opened;
};

// An environment whose services live in `server` and whose executable sits in a
// private temporary folder (where a test may put ayar.ini).
struct TestWorld {
    TestWorld() : service(server) {
        service.setStations(sim::demoStations(server));
        env.hosts.service = QByteArray::fromStdString(server.hostPort());
        env.hosts.web = env.hosts.service;
        env.hosts.imageSearch = env.hosts.service;
        env.executablePath = dir.filePath(QStringLiteral("diraz-velora"));
        env.dialogs = &dialogs;
        env.shell = &shell;
        env.requestQuit = [this] { ++quitRequests; };
        env.audio = engine;
    }
    void writeSettings(const QByteArray& content) const;

    sim::Server server;
    sim::StationService service;
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    RecordingShell shell;
    int quitRequests = 0;
    std::shared_ptr<FakeEngine> engine = std::make_shared<FakeEngine>();
    ui::Environment env;
};

}  // namespace velora::test
