#include "core/app/AppState.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/NotesTab.h"
#include "gui/shell/Session.h"
#include "gui/shell/SplashWindow.h"
#include "gui/shell/WindowRegistry.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/TestFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
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

void click(QWidget* w, const char* name) {
    w->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

// Types into the notes box with real key events on the active window.
QPlainTextEdit* typeNotes(MainWindow* main, const QString& keys) {
    main->tabs()->setCurrentWidget(main->notesTab());
    QApplication::setActiveWindow(main);
    auto* box = main->findChild<QPlainTextEdit*>(QStringLiteral("Text4"));
    box->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(box, keys);
    return box;
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
    EXPECT_EQ(run.state.program.table().StepCount, 0);

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
    EXPECT_EQ(bar.first(), "Tools");
    EXPECT_EQ(bar[1], "Web");
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
    // Only the first field is read: a bad line 2 is the main window's business.
    folder.write(QStringLiteral("Sono.INI"), "\"/bin/sh\"\r\nmaybe\r\n");
    SonoRun again(folder);
    again.session.start();
    EXPECT_EQ(label(again.session.splash(), "Label3_3"), "Editor OK");
}

TEST(Startup, ADamagedDatabaseOrAnotherFileIsNamedWithTheWayOutAndLeftAlone) {
    for (const bool damaged : {false, true}) {
        TestFolder folder;
        if (damaged) {
            std::vector<FrequencyRecord> records;
            for (int i = 0; i < 300; ++i)
                records.push_back(record(QStringLiteral("Set %1").arg(i), QString(200, u'c'), {528}));
            folder.createDatabase(records);
            // Table pages after the first: the open check's first row still reads, the count at start-up
            // meets the damage.
            QFile file(folder.file(QStringLiteral("freqs.mdb")));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.seek(4096 * 4);
            file.write(QByteArray(4096 * 3, '\x5a'));
        } else {
            folder.write(QStringLiteral("freqs.mdb"), "This is a letter, not a database.\r\n");
        }
        const QByteArray before = folder.read(QStringLiteral("freqs.mdb"));
        SonoRun run(folder);
        QSignalSpy finished(&run.session, &Session::finished);
        startSono(run.session);
        EXPECT_EQ(finished.count(), 1);
        ASSERT_EQ(run.platform.messages.size(), 1);
        const QString text = run.platform.messages[0].text;
        EXPECT_TRUE(text.contains(folder.file(QStringLiteral("freqs.mdb")))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("The file was not changed.")));
        EXPECT_TRUE(text.contains(QStringLiteral("sqlite3 freqs.mdb \".recover\" | sqlite3 recovered.mdb")));
        EXPECT_EQ(folder.read(QStringLiteral("freqs.mdb")), before);
        EXPECT_FALSE(folder.exists(QStringLiteral("sono.log")));
    }
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

TEST(Startup, MalformedFilesAreReportedAndKeptAsBakBeforeTheFirstSave) {
    TestFolder folder;
    folder.createDatabase({});
    const QByteArray ini("\"/usr/bin/kate\"\r\nmaybe\r\n");
    const QByteArray cal("50\r\n300\r\n");
    const QByteArray prg("\"0.5\"\r\n\"0.5\"\r\n1\r\n");
    const QByteArray notes("no quotes here\r\nline 2\r\n");
    folder.write(QStringLiteral("sono.ini"), ini);
    folder.write(QStringLiteral("sono.cal"), cal);
    folder.write(QStringLiteral("default.prg"), prg);
    folder.write(QStringLiteral("SonoNote.txt"), notes);
    SonoRun run(folder);
    MainWindow* main = startSono(run.session);
    ASSERT_NE(main, nullptr);
    const QStringList texts = run.platform.messageTexts();
    ASSERT_EQ(texts.size(), 4) << texts.join(u'|').toStdString();
    const char* names[4] = {"sono.ini", "sono.cal", "SonoNote.txt", "default.prg"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(texts[i].contains(QString::fromLatin1(names[i])));
        EXPECT_TRUE(texts[i].contains(folder.file(QString::fromLatin1(names[i])) + QStringLiteral(".bak")))
            << texts[i].toStdString();
    }
    // Defaults hold for the run; plain notes are shown whole; the user's files stay as they were.
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/xdg-open");
    EXPECT_EQ(run.state.calibration.CalibrationOn, 0);
    EXPECT_EQ(run.state.generator.VolLeft, "0.5");
    EXPECT_EQ(main->findChild<QPlainTextEdit*>(QStringLiteral("Text4"))->toPlainText(),
              "no quotes here\nline 2");
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), ini);
    EXPECT_EQ(folder.read(QStringLiteral("sono.cal")), cal);
    EXPECT_EQ(folder.read(QStringLiteral("default.prg")), prg);
    EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")), notes);

    // The first save over each file keeps it as .bak and says so; a second save does not copy again.
    run.platform.messages.clear();
    typeNotes(main, QStringLiteral("!"));
    click(main, "Command2");
    main->menuAction(QStringLiteral("SetEditorPath"))->trigger();
    click(main->windows().find(QStringLiteral("Form6")), "Command1");
    main->menuAction(QStringLiteral("CalibrateSndCrd"))->trigger();
    QWidget* calibration = main->windows().find(QStringLiteral("Form21"));
    click(calibration, "Option1_1");
    click(calibration, "Command4");
    click(main, "Command14");
    QWidget* save = main->windows().find(QStringLiteral("Form10"));
    save->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("default"));
    click(save, "Command1_0");
    const QByteArray originals[4] = {notes, ini, cal, prg};
    const char* saved[4] = {"SonoNote.txt", "sono.ini", "sono.cal", "default.prg"};
    ASSERT_EQ(run.platform.messages.size(), 4) << run.platform.messageTexts().join(u'|').toStdString();
    for (int i = 0; i < 4; ++i) {
        const QString bak = QString::fromLatin1(saved[i]) + QStringLiteral(".bak");
        EXPECT_EQ(folder.read(bak), originals[i]) << saved[i];
        EXPECT_NE(folder.read(QString::fromLatin1(saved[i])), originals[i]) << saved[i];
        EXPECT_TRUE(run.platform.messages[i].text.contains(folder.file(bak)));
    }
    EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")), QByteArray("\"no quotes here\r\nline 2!\"\r\n"));
    folder.write(QStringLiteral("SonoNote.txt.bak"), "older");
    typeNotes(main, QStringLiteral("?"));
    click(main, "Command2");
    EXPECT_EQ(run.platform.messages.size(), 4);
    EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt.bak")), QByteArray("older"));
}

TEST(Startup, ADefaultProgramOfMoreThan2000StepsStartsWithTheFirst2000) {
    TestFolder folder;
    folder.createDatabase({});
    QByteArray prg("\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n1\r\n");
    for (int i = 1; i <= 2003; ++i)
        prg += QByteArray::number(i) + ',' + QByteArray::number(100 + i) + ",5\r\n";
    folder.write(QStringLiteral("default.prg"), prg);
    SonoRun run(folder);
    ASSERT_NE(startSono(run.session), nullptr);
    EXPECT_EQ(run.state.program.table().StepCount, 2000);
    EXPECT_EQ(run.state.program.table().StepFreq[2000], 2100.0f);
    ASSERT_EQ(run.platform.messages.size(), 1);
    EXPECT_TRUE(run.platform.messages[0].text.contains(QStringLiteral(
        "holds 2003 steps; a program has at most 2000. Sono loaded the first 2000 and left out "
        "the other 3.")))
        << run.platform.messages[0].text.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("default.prg")), prg);
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
        // Line breaks inside the notes are CR LF like the file's own.
        EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")),
                  QByteArray("\"Say \"\"hello\"\",\r\nthen \"\"\"\" two lines\"\r\n"));
        main->close();
    }
    SonoRun run(folder);
    MainWindow* main = startSono(run.session);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->findChild<QPlainTextEdit*>(QStringLiteral("Text4"))->toPlainText(), tricky);
    EXPECT_EQ(run.state.NotesText, tricky);
    EXPECT_FALSE(main->findChild<QPushButton*>(QStringLiteral("Command2"))->isEnabled());
}

TEST(Notes, LineBreaksAndWindowsTextAreReadAndWrittenBackAsTheyWere) {
    TestFolder folder;
    folder.createDatabase({});
    // Bare LF (as earlier builds wrote) and Windows-1252 text read as the same box text.
    folder.write(QStringLiteral("SonoNote.txt"), "\"Caf\xe9 \x80 5\nline 2\"\r\n");
    SonoRun run(folder);
    MainWindow* main = startSono(run.session);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(run.platform.messages.isEmpty());
    auto* box = typeNotes(main, QStringLiteral("!"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Caf\u00e9 \u20ac 5\nline 2!"));
    click(main, "Command2");
    EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")), QByteArray("\"Caf\xe9 \x80 5\r\nline 2!\"\r\n"));
    EXPECT_FALSE(folder.exists(QStringLiteral("SonoNote.txt.bak")));
}

TEST(Notes, ExitWithTypedNotesAsksSaveDiscardOrCancel) {
    TestFolder folder;
    folder.createDatabase({});
    const QByteArray stored("\"Note Book\"\r\n");
    const QStringList exits = {QStringLiteral("exit"), QStringLiteral("quit"), QString()};
    for (const QString& exit : exits) {
        SonoRun run(folder);
        MainWindow* main = startSono(run.session);
        ASSERT_NE(main, nullptr);
        auto leave = [&] { exit.isEmpty() ? (void)main->close() : main->menuAction(exit)->trigger(); };
        typeNotes(main, QStringLiteral(" and more"));
        run.platform.answers = {MessageAnswer::Cancel};
        leave();
        EXPECT_TRUE(main->isVisible()) << exit.toStdString();
        EXPECT_TRUE(run.state.database.isOpen());
        ASSERT_EQ(run.platform.messages.size(), 1);
        EXPECT_EQ(run.platform.messages[0].buttons, MessageButtons::SaveDiscardCancel);
        EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")), stored);
        EXPECT_FALSE(folder.exists(QStringLiteral("sono.log")));

        run.platform.answers = {exit == QStringLiteral("exit") ? MessageAnswer::Save
                                                               : MessageAnswer::Discard};
        leave();
        EXPECT_FALSE(main->isVisible());
        EXPECT_FALSE(run.state.database.isOpen());
        EXPECT_EQ(run.platform.messages.size(), 2);
        EXPECT_EQ(folder.read(QStringLiteral("SonoNote.txt")),
                  exit == QStringLiteral("exit") ? QByteArray("\"Note Book and more\"\r\n") : stored);
        folder.write(QStringLiteral("SonoNote.txt"), stored);
        QFile::remove(folder.file(QStringLiteral("sono.log")));
    }
    // Nothing typed: no question.
    SonoRun run(folder);
    MainWindow* main = startSono(run.session);
    ASSERT_NE(main, nullptr);
    typeNotes(main, QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    main->close();
    EXPECT_TRUE(run.platform.messages.isEmpty());
    EXPECT_TRUE(folder.exists(QStringLiteral("sono.log")));
}

// An installed Sono: the starter files in its share folder, a user with an empty home.
TEST(Startup, AnInstalledSonoStartsInTheUserFolderItMade) {
    TestFolder share, home;
    share.createDatabase({record(QStringLiteral("Alpha"), std::nullopt, {528})});
    share.installHelpPages();
    const auto folder =
        chooseAppFolder({share.file(QStringLiteral("bin")), share.path(), {}, {}, home.path()});
    ASSERT_TRUE(folder);
    RecordingPlatform platform;
    AppState state;
    state.folder = *folder;
    Session session(state, platform);
    session.start();
    SplashWindow* splash = session.splash();
    const QString user = home.file(QStringLiteral(".local/share/sono"));
    EXPECT_EQ(label(splash, "Label3_0"), "Database OK");
    EXPECT_EQ(label(splash, "Label3_1"), "Initialization file will be created");
    EXPECT_EQ(label(splash, "Label3_2"), "Help files OK");
    EXPECT_EQ(label(splash, "Label3_4"), "Sono path = " + user);
    auto* button = splash->findChild<QPushButton*>(QStringLiteral("Command1"));
    button->setEnabled(true);
    button->click();
    ASSERT_NE(session.mainWindow(), nullptr);
    for (const char* name : {"sono.ini", "sono.cal", "SonoNote.txt", "default.prg"})
        EXPECT_TRUE(QFileInfo::exists(user + u'/' + QLatin1String(name))) << name;
    EXPECT_EQ(QDir(share.path()).entryList(QDir::Files),
              QStringList({"database.rtf", "dorv.rtf", "fgcommand.rtf", "freqgen.rtf", "freqs.mdb",
                           "howtocal.rtf", "intro.rtf", "scanning.rtf"}));
}
