#include <QCoreApplication>
#include <gtest/gtest.h>

// Model code uses Qt Core types (QString, QFile, QDateTime); an application object keeps Qt happy.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
