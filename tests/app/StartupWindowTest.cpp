#include "app/AppState.h"
#include "app/SplashWindow.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/TestFolder.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/WindowRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

struct SonoRun {
    explicit SonoRun(const TestFolder& folder) { state.folder = AppFolder(folder.path()); }
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
};

QString label(QWidget* w, const char* name) {
    return w->findChild<QLabel*>(QString::fromLatin1(name))->text();
}

} // namespace

TEST(Startup, FirstRunCreatesEveryFileWithItsExactBytes) {
    TestFolder folder;
    folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528})});
    SonoRun run(folder);
    run.session.start();
    SplashWindow* splash = run.session.splash();
    ASSERT_NE(splash, nullptr);
    screenshot(splash, QStringLiteral("splash"));
    EXPECT_EQ(label(splash, "Label1"), "Sono12 - build 05.01.16");
    EXPECT_EQ(label(splash, "Label3_0"), "Database OK");
    EXPECT_EQ(label(splash, "Label3_1"), "Initialization file ERROR");
    EXPECT_EQ(label(splash, "Label3_2"), "Help file ERROR");
    EXPECT_EQ(label(splash, "Label3_3"), "Editor Path ?");
    EXPECT_EQ(label(splash, "Label3_4"), "Sono path = " + folder.path());
    auto* button = splash->findChild<QPushButton*>(QStringLiteral("Command1"));
    EXPECT_EQ(button->text(), "Proceed");
    EXPECT_FALSE(button->isEnabled());
    QElapsedTimer waited;
    waited.start();
    while (!button->isEnabled() && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(button->isEnabled());
    button->click();

    MainWindow* main = run.session.mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(run.platform.messages.isEmpty()) << run.platform.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(main->windowTitle(), "Sono12 - build 05.01.16");
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/usr/bin/xdg-open\"\r\n0\r\n"));
    EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")), QByteArray("\"Note Book\"\r\n"));
    EXPECT_EQ(folder.read(QStringLiteral("default.prg")),
              QByteArray("\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n1\r\n"));
    EXPECT_EQ(
        folder.read(QStringLiteral("sono.cal")),
        QByteArray("50\r\n300\r\n600\r\n1000\r\n1500\r\n2000\r\n2500\r\n3000\r\n3500\r\n4000\r\n4500\r\n"
                   "5000\r\n6000\r\n7000\r\n8000\r\n9000\r\n10000\r\n11000\r\n12000\r\n14000\r\n16000\r\n"
                   "18000\r\n20000\r\n22000\r\n24000\r\n25000\r\n0\r\n"));
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/xdg-open");
    EXPECT_EQ(run.state.ClearBufferFirst, 0);
    EXPECT_EQ(run.state.buffer.BufferNext, 1);
    EXPECT_EQ(run.state.generator.ProgramName, "default");
    EXPECT_EQ(run.state.program.StepCount, 0);

    auto* tabs = main->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "Database");
    EXPECT_EQ(tabs->tabText(1), "FreqGen ");
    EXPECT_EQ(tabs->tabText(2), "Scan ");
    EXPECT_EQ(tabs->tabText(3), "Notes ");
    QStringList bar;
    for (QAction* a : main->menuBar()->actions())
        bar << a->text();
    ASSERT_EQ(bar.size(), 29);
    EXPECT_EQ(bar.first(), "&Tools");
    EXPECT_EQ(bar[1], "&Web");
    EXPECT_EQ(bar[2], "&A");
    EXPECT_EQ(bar[27], "&Z");
    EXPECT_EQ(bar.last(), "Exit");
    EXPECT_EQ(main->findChild<QComboBox*>(QStringLiteral("Combo1"))->count(), 13);
    EXPECT_EQ(main->findChild<QComboBox*>(QStringLiteral("Combo3"))->count(), 6);
    EXPECT_TRUE(main->findChild<QCheckBox*>(QStringLiteral("Check1_0"))->isChecked());
    EXPECT_EQ(main->findChild<QPlainTextEdit*>(QStringLiteral("Text4"))->toPlainText(), "Note Book");
    EXPECT_FALSE(main->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        screenshot(main, QStringLiteral("main-tab%1").arg(i));
    }
}
