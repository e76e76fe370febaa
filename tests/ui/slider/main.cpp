#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // CTest runs the tests headless; listing them at build time has no display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
