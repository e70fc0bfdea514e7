#include <QApplication>
#include <gtest/gtest.h>

// Window tests drive the real widgets in-process; CTest sets QT_QPA_PLATFORM=offscreen.
int main(int argc, char** argv) {
    // Every run sees the same locale; tests that need another one set it themselves.
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
