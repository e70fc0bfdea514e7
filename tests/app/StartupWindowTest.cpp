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
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
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

TEST(Startup, TroubleshootingShowsTheEightStepMessagesInOrder) {
    TestFolder folder;
    folder.createDatabase({});
    SonoRun run(folder);
    run.session.start();
    auto* check = run.session.splash()->findChild<QCheckBox*>(QStringLiteral("Check1"));
    check->click();
    EXPECT_EQ(run.platform.beeps, 1);
    check->click(); // unticking does not turn the messages off
    EXPECT_EQ(run.platform.beeps, 1);
    auto* button = run.session.splash()->findChild<QPushButton*>(QStringLiteral("Command1"));
    button->setEnabled(true);
    button->click();
    ASSERT_NE(run.session.mainWindow(), nullptr);
    EXPECT_EQ(run.platform.messageTexts(),
              QStringList({"About to load main form", "About to call App.Path function",
                           "About to change directory to Sono's path", "About to initialize Jet Engine",
                           "About to send SQL to Jet Engine", "About to refresh Data Set",
                           "About to call file and object initialization", "All done"}));
    for (const auto& m : run.platform.messages)
        EXPECT_EQ(m.title, "Sono12");
}

TEST(Startup, ExitWritesOneLogRecordAndClosesEveryWindow) {
    TestFolder folder;
    folder.createDatabase({});
    for (int round = 1; round <= 2; ++round) {
        SonoRun run(folder);
        run.state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(14, 5, 0)); };
        MainWindow* main = startSono(run.session);
        ASSERT_NE(main, nullptr);
        QPointer<QWidget> tool = main->windows().open(QStringLiteral("Form7"), [] { return new QWidget; });
        QPointer<QWidget> other = main->windows().open(QStringLiteral("Form4"), [] { return new QWidget; });
        main->menuAction(round == 1 ? QStringLiteral("exit") : QStringLiteral("quit"))->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(tool.isNull());
        EXPECT_TRUE(other.isNull());
        EXPECT_FALSE(run.state.database.isOpen());
    }
    EXPECT_EQ(folder.read(QStringLiteral("sono.log")),
              QByteArray("\"2026-12-05 14:05:00\",\" - Sono shut down.\"\r\n"
                         "\"2026-12-05 14:05:00\",\" - Sono shut down.\"\r\n"));
    // The third start shows both earlier shut-downs, newest first.
    SonoRun run(folder);
    MainWindow* main = startSono(run.session);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(run.state.LogCount, 2);
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("Label20_0"))->text(), "Log :  2 entries");
    EXPECT_EQ(main->findChild<QPlainTextEdit*>(QStringLiteral("Text8"))->toPlainText(),
              "2026-12-05 14:05:00 - Sono shut down.\n2026-12-05 14:05:00 - Sono shut down.\n");
}

TEST(Startup, MissingDatabaseOffersOnlyQuit) {
    TestFolder folder;
    folder.write(QStringLiteral("sono.ini"), "\"/bin/sh\"\r\n0\r\n");
    SonoRun run(folder);
    QSignalSpy finished(&run.session, &Session::finished);
    run.session.start();
    SplashWindow* splash = run.session.splash();
    EXPECT_EQ(label(splash, "Label3_0"), "Database ERROR");
    EXPECT_EQ(label(splash, "Label3_1"), "Initialization file OK");
    EXPECT_EQ(label(splash, "Label3_3"), "Editor Path ?");
    auto* button = splash->findChild<QPushButton*>(QStringLiteral("Command1"));
    EXPECT_EQ(button->text(), "Quit");
    button->setEnabled(true);
    button->click();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(run.session.mainWindow(), nullptr);
    EXPECT_FALSE(folder.exists(QStringLiteral("sono.cal")));
}

TEST(Startup, EditorCheckFollowsTheSettingsFile) {
    TestFolder folder;
    folder.createDatabase({});
    folder.write(QStringLiteral("database.rtf"), "{\\rtf1 x}");
    folder.write(QStringLiteral("Sono.INI"), "\"/nonexistent/editor\"\r\n1\r\n");
    SonoRun run(folder);
    run.session.start();
    EXPECT_EQ(label(run.session.splash(), "Label3_1"), "Initialization file OK");
    EXPECT_EQ(label(run.session.splash(), "Label3_2"), "Help files OK");
    EXPECT_EQ(label(run.session.splash(), "Label3_3"), "Editor ERROR - Specify in Tools Menu!");
}

TEST(Startup, AFileThatIsNotADatabaseIsReportedAndLeftAlone) {
    TestFolder folder;
    const QByteArray junk("This is a letter, not a database.\r\n");
    folder.write(QStringLiteral("freqs.mdb"), junk);
    SonoRun run(folder);
    QSignalSpy finished(&run.session, &Session::finished);
    startSono(run.session);
    EXPECT_EQ(finished.count(), 1);
    ASSERT_EQ(run.platform.messages.size(), 1);
    EXPECT_TRUE(run.platform.messages[0].text.contains(folder.file(QStringLiteral("freqs.mdb"))));
    EXPECT_EQ(folder.read(QStringLiteral("freqs.mdb")), junk);
    EXPECT_FALSE(folder.exists(QStringLiteral("sono.log")));
}

TEST(Startup, SettingsWithOnlyTheEditorLineGainLineTwo) {
    TestFolder folder;
    folder.createDatabase({});
    folder.write(QStringLiteral("sono.ini"), "\"/usr/bin/kate\"\r\n");
    SonoRun run(folder);
    ASSERT_NE(startSono(run.session), nullptr);
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/kate");
    EXPECT_EQ(run.state.ClearBufferFirst, 0);
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/usr/bin/kate\"\r\n0\r\n"));
}

TEST(Startup, LeftoversOfInterruptedSavesAreRemoved) {
    TestFolder folder;
    folder.createDatabase({});
    for (const QString& name : {QStringLiteral("default.prg.GUwIuc"), QStringLiteral("sono.cal.backup")}) {
        folder.write(name, "x");
        QFile file(folder.file(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    }
    SonoRun run(folder);
    ASSERT_NE(startSono(run.session), nullptr);
    EXPECT_FALSE(folder.exists(QStringLiteral("default.prg.GUwIuc")));
    EXPECT_TRUE(folder.exists(QStringLiteral("sono.cal.backup")));
}

TEST(Startup, MalformedFilesAreReportedAndNotOverwritten) {
    TestFolder folder;
    folder.createDatabase({});
    const QByteArray ini("\"/usr/bin/kate\"\r\nmaybe\r\n");
    const QByteArray cal("50\r\n300\r\n");
    const QByteArray prg("\"0.5\"\r\n\"0.5\"\r\n1\r\n");
    const QByteArray notes("no quotes here");
    folder.write(QStringLiteral("sono.ini"), ini);
    folder.write(QStringLiteral("sono.cal"), cal);
    folder.write(QStringLiteral("default.prg"), prg);
    folder.write(QStringLiteral("SonoNote.txt"), notes);
    SonoRun run(folder);
    ASSERT_NE(startSono(run.session), nullptr);
    const QStringList texts = run.platform.messageTexts();
    ASSERT_EQ(texts.size(), 4) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts[0].contains(QStringLiteral("sono.ini")));
    EXPECT_TRUE(texts[1].contains(QStringLiteral("sono.cal")));
    EXPECT_TRUE(texts[2].contains(QStringLiteral("SonoNote.txt")));
    EXPECT_TRUE(texts[3].contains(QStringLiteral("default.prg")));
    // Defaults hold for the run; the user's files stay as they were.
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/xdg-open");
    EXPECT_EQ(run.state.calibration.CalibrationOn, 0);
    EXPECT_EQ(run.state.generator.VolLeft, "0.5");
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), ini);
    EXPECT_EQ(folder.read(QStringLiteral("sono.cal")), cal);
    EXPECT_EQ(folder.read(QStringLiteral("default.prg")), prg);
    EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")), notes);
}

TEST(Notes, SaveKeepsTheTextExactlyAndAnEmptyBoxWritesTheSentence) {
    TestFolder folder;
    folder.createDatabase({});
    const QString tricky = QStringLiteral("Say \"hello\",\nthen \"\" two lines");
    {
        SonoRun run(folder);
        MainWindow* main = startSono(run.session);
        ASSERT_NE(main, nullptr);
        auto* box = main->findChild<QPlainTextEdit*>(QStringLiteral("Text4"));
        auto* save = main->findChild<QPushButton*>(QStringLiteral("Command2"));
        box->setPlainText(QStringLiteral("x"));
        EXPECT_TRUE(save->isEnabled());
        save->click();
        EXPECT_FALSE(save->isEnabled());
        EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")), QByteArray("\"x\"\r\n"));
        box->clear();
        save->click();
        EXPECT_EQ(box->toPlainText(), "");
        EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")),
                  QByteArray("\"This is where things go when you can find your pen.\"\r\n"));
        box->setPlainText(tricky);
        save->click();
        main->close();
    }
    SonoRun run(folder);
    MainWindow* main = startSono(run.session);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->findChild<QPlainTextEdit*>(QStringLiteral("Text4"))->toPlainText(), tricky);
    EXPECT_EQ(run.state.NotesText, tricky);
    EXPECT_FALSE(main->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
}
