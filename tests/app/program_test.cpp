// The real program, started as a process against the simulator, with its boxes and
// shell written to stderr.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "sim/demo.h"

namespace velora {
namespace {

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() : service(server) { service.setStations(sim::demoStations(server)); }

    // A link to the program under `name`: the name decides the instance.
    QString programNamed(const QString& name) {
        const QString link = dir.filePath(name);
        QFile::link(QStringLiteral(VELORA_PROGRAM_PATH), link);
        return link;
    }

    std::unique_ptr<QProcess> start(const QString& program, const char* audioDriver = "dummy") {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("SDL_AUDIODRIVER", audioDriver);
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("VELORA_DIALOGS", "stderr");
        e.insert("VELORA_SHELL", "stderr");
        e.insert("VELORA_SERVICE_HOST", QString::fromStdString(server.hostPort()));
        p->setProcessEnvironment(e);
        p->start(program, {});
        return p;
    }

    size_t directoryRequests() const {
        size_t n = 0;
        for (const auto& r : server.requests()) {
            n += r.path == "/xml.aspx" ? 1 : 0;
        }
        return n;
    }

    bool waitForDirectoryRequests(size_t count) {
        QElapsedTimer t;
        t.start();
        while (directoryRequests() < count && t.elapsed() < 10000) {
            QThread::msleep(20);
        }
        return directoryRequests() >= count;
    }

    // A unique name per run, so parallel runs never share an instance.
    QString uniqueName(const char* stem) {
        return QStringLiteral("%1-%2.bin").arg(stem).arg(QCoreApplication::applicationPid());
    }

    sim::Server server;
    sim::StationService service;
    QTemporaryDir dir;
};

TEST_F(ProgramTest, ASecondInstanceOfTheSameNameIsRefused) {
    const QString first = programNamed(uniqueName("velora-one"));
    auto running = start(first);
    ASSERT_TRUE(waitForDirectoryRequests(1));

    auto second = start(first);
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardError().contains(
        "[information box] : Program henüz açık ikinci kez açamazsınız"));
    EXPECT_EQ(directoryRequests(), 1u);

    // Another name is another program.
    auto other = start(programNamed(uniqueName("velora-two")));
    EXPECT_TRUE(waitForDirectoryRequests(2));
    EXPECT_FALSE(running->waitForFinished(200));  // the first one still runs
    for (auto* p : {running.get(), other.get()}) {
        p->terminate();
        p->waitForFinished(5000);
    }
}

TEST_F(ProgramTest, UpdateOfferAndFailedRequestEndTheProgramWithCodeZero) {
    service.setVersion("1004");
    service.setDownloadUrl("http://get.example/new");
    auto update = start(programNamed(uniqueName("velora-update")));
    ASSERT_TRUE(update->waitForFinished(10000));
    EXPECT_EQ(update->exitCode(), 0);
    const QByteArray updateLog = update->readAllStandardError();
    EXPECT_TRUE(updateLog.contains("Programin Yeni Versiyonu Cikmistir.\r\nIndirip Kurunuz."));
    EXPECT_TRUE(updateLog.contains("[shell open] http://get.example/new"));

    server.setRefusing(true);
    auto failed = start(programNamed(uniqueName("velora-offline")));
    ASSERT_TRUE(failed->waitForFinished(10000));
    EXPECT_EQ(failed->exitCode(), 0);
    EXPECT_TRUE(failed->readAllStandardError().contains(
        "İnternet bağlantınızı kontrol edip programı tekrar çalıştırınız..."));
}

TEST_F(ProgramTest, WithoutASoundOutputTheProgramEndsBeforeItsWindowShows) {
    auto p = start(programNamed(uniqueName("velora-mute")), "no-such-driver");
    ASSERT_TRUE(p->waitForFinished(10000));
    EXPECT_EQ(p->exitCode(), 0);
    EXPECT_TRUE(p->readAllStandardError().contains(
        "[information box] : Ses Kartı Açılamadı\r\n(Hata Kodu: 3)"));
    // The directory was asked for; no stream ever was.
    EXPECT_EQ(directoryRequests(), server.requests().size());
}

}  // namespace
}  // namespace velora
