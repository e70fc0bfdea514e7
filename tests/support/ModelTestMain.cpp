#include <QCoreApplication>
#include <gtest/gtest.h>

// Model code uses Qt Core types (QString, QFile, QDateTime); an application object keeps Qt happy.
int main(int argc, char** argv) {
    // Every run sees the same locale; tests that need another one set it themselves.
    qputenv("LC_ALL", "C.UTF-8");
    qputenv("LANG", "C.UTF-8");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
