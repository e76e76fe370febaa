// Test entry: a QApplication (offscreen in tests) lives for the whole run, so tests
// can create widgets, timers and event loops. The environment is set here rather than
// in CTest, so a test binary run by hand behaves the same.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>

int main(int argc, char** argv) {
    // Headless unless a caller chose a platform (test discovery runs us without the
    // test environment).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // No sound device in tests unless a test asks for the disk writer itself.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) {
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/velora-test-runtime";
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QFile::setPermissions(QString::fromLocal8Bit(dir), QFileDevice::ReadOwner |
                                                               QFileDevice::WriteOwner |
                                                               QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
