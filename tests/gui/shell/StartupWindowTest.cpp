#include "core/app/LogAndNotes.h"
#include "core/display/Calibration.h"
#include "core/generator/ProgramFile.h"
#include "gui/shell/NotesTab.h"
#include "gui/shell/SplashWindow.h"
#include "support/SonoHarness.h"

#include <QtTest>
#include <QtWidgets>

using namespace sono;
using namespace sono::test;

namespace {

QStringList checkLines(const QObject* splash) {
    QStringList lines;
    for (int i = 0; i < 5; ++i)
        lines << child<QLabel>(splash, QStringLiteral("Label3_%1").arg(i))->text();
    return lines;
}

void focus(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Runs of Sono, one after another, on one application folder that holds an empty database.
struct Startup : ::testing::Test {
    void SetUp() override { folder.createDatabase({}); }
    SonoHarness& fresh() {
        run.reset(); // the run before ends first
        run = std::make_unique<SonoHarness>();
        run->state.folder = AppFolder(folder.path());
        return *run;
    }
    MainWindow* start() { return main = fresh().start(); }
    QStringList messages() const { return run->platform.messageTexts(); }
    // Types into the notes box with real key events on the active window.
    void typeNotes(const QString& keys) const {
        main->tabs()->setCurrentWidget(main->notesTab());
        focus(main);
        auto* box = child<QPlainTextEdit>(main, QStringLiteral("Text4"));
        box->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), box);
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(box, keys);
    }

    TestFolder folder;
    std::unique_ptr<SonoHarness> run;
    MainWindow* main = nullptr;
};

} // namespace

TEST(StartupCheck, EachLineReportsItsFile) {
    // The files, then Label3 0 to 3 and the button.
    const std::pair<std::vector<std::pair<const char*, QByteArray>>, QStringList> cases[] = {
        {{{"freqs.mdb", "x"}},
         {"Database OK", "Initialization file ERROR", "Help file ERROR", "Editor Path ?", "Proceed"}},
        // No database: the editor is not looked at, only Quit is offered.
        {{{"sono.ini", "\"/bin/sh\"\r\n0\r\n"}},
         {"Database ERROR", "Initialization file OK", "Help file ERROR", "Editor Path ?", "Quit"}},
        // Names are found whatever their case.
        {{{"freqs.mdb", "x"},
          {"database.rtf", "{\\rtf1 x}"},
          {"Sono.INI", "\"/nonexistent/editor\"\r\n1\r\n"}},
         {"Database OK", "Initialization file OK", "Help files OK", "Editor ERROR - Specify in Tools Menu!",
          "Proceed"}},
        // Only the first field is read: a bad line 2 is the main window's business.
        {{{"freqs.mdb", "x"}, {"sono.ini", "\"/bin/sh\"\r\nmaybe\r\n"}},
         {"Database OK", "Initialization file OK", "Help file ERROR", "Editor OK", "Proceed"}},
    };
    for (const auto& [files, lines] : cases) {
        WindowServices ws;
        for (const auto& [name, bytes] : files)
            ws.folder.write(name, bytes);
        SplashWindow splash(ws.state, ws.platform);
        EXPECT_EQ(checkLines(&splash).mid(0, 4) << child(&splash, "Command1")->text(), lines);
    }
}

// Enter presses the button once the timer has enabled it; Esc leaves Sono before anything is written.
TEST_F(Startup, CheckWindowTakesEnterAndEsc) {
    const std::tuple<bool, Qt::Key, bool> cases[] = {// database, key, proceeds
                                                     {true, Qt::Key_Escape, false},
                                                     {false, Qt::Key_Enter, false},
                                                     {true, Qt::Key_Return, true}};
    const QString mdb = folder.file(QStringLiteral("freqs.mdb")), away = folder.file(QStringLiteral("away"));
    for (const auto& [database, key, proceeds] : cases) {
        if (!database) QFile::rename(mdb, away);
        SonoHarness& r = fresh();
        QSignalSpy finished(&r.session, &Session::finished);
        r.session.start();
        QPointer<SplashWindow> splash = r.session.splash();
        focus(splash);
        auto* check = child<QCheckBox>(splash, QStringLiteral("Check1"));
        check->setFocus();
        if (key != Qt::Key_Escape) {
            QTest::keyClick(check, key); // the button is still disabled
            EXPECT_EQ(finished.count() + (r.session.mainWindow() ? 1 : 0), 0);
            ASSERT_TRUE(QTest::qWaitFor([&] { return child(splash, "Command1")->isEnabled(); }, 5000));
        }
        QTest::keyClick(check, key);
        EXPECT_EQ(r.session.mainWindow() != nullptr, proceeds) << key;
        EXPECT_EQ(finished.count(), proceeds ? 0 : 1) << key;
        EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 2000));
        EXPECT_EQ(folder.exists(QStringLiteral("sono.cal")), proceeds);
        if (!database) QFile::rename(away, mdb);
    }
}

// A letter in its place is the model test's; pages damaged after the first make the count at start-up fail.
TEST_F(Startup, ADamagedDatabaseIsNamedWithTheWayOutAndLeftAlone) {
    std::vector<FrequencyRecord> records;
    for (int i = 0; i < 300; ++i)
        records.push_back(record(QStringLiteral("Set %1").arg(i), QString(200, u'c'), {528}));
    folder.createDatabase(records);
    QFile file(folder.file(QStringLiteral("freqs.mdb")));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(4096 * 4);
    file.write(QByteArray(4096 * 3, '\x5a'));
    file.close();
    const QByteArray before = folder.read("freqs.mdb");
    QSignalSpy finished(&fresh().session, &Session::finished);
    run->start();
    EXPECT_EQ(finished.count(), 1);
    ASSERT_EQ(messages().size(), 1);
    for (const QString& part : {folder.file(QStringLiteral("freqs.mdb")), QStringLiteral("not changed."),
                                QStringLiteral("sqlite3 freqs.mdb \".recover\" | sqlite3 recovered.mdb")})
        EXPECT_TRUE(messages()[0].contains(part)) << messages()[0].toStdString();
    EXPECT_EQ(folder.read("freqs.mdb"), before);
    EXPECT_FALSE(folder.exists(QStringLiteral("sono.log")));
}

// Start-up mends settings without line 2, removes an interrupted save's leftover, and starts a default
// program of more than 2000 steps with the first 2000, said once, the file kept as it is.
TEST_F(Startup, StartUpMendsSettingsClearsLeftoversAndTakesTheFirst2000Steps) {
    folder.write("sono.ini", "\"/usr/bin/kate\"\r\n");
    folder.write("default.prg.GUwIuc", "x");
    QByteArray prg = programFileBytes(defaultProgram());
    for (int i = 1; i <= 2003; ++i)
        prg += QByteArray::number(i) + ',' + QByteArray::number(100 + i) + ",5\r\n";
    folder.write("default.prg", prg);
    SonoHarness& r = fresh();
    r.state.now = [] { return QDateTime::currentDateTime().addSecs(600); };
    ASSERT_NE(r.start(), nullptr);
    EXPECT_EQ(folder.read("sono.ini"), QByteArray("\"/usr/bin/kate\"\r\n0\r\n"));
    EXPECT_FALSE(folder.exists(QStringLiteral("default.prg.GUwIuc")));
    EXPECT_EQ(r.state.program.table().StepCount, 2000);
    EXPECT_EQ(r.state.program.table().StepFreq[2000], 2100.0f);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_TRUE(
        messages().value(0).contains(QStringLiteral("holds 2003 steps; a program has at most 2000. "
                                                    "Sono loaded the first 2000 and left out the other 3.")));
    EXPECT_EQ(folder.read("default.prg"), prg);
}

// Each file is named with its .bak in the order read and left alone; the notes save keeps it (the .bak
// rule itself is the model test's).
TEST_F(Startup, MalformedFilesAreReportedAndTheNotesAreKeptAsBakBeforeTheFirstSave) {
    const std::pair<const char*, QByteArray> files[] = {{"sono.ini", "\"/usr/bin/kate\"\r\nmaybe\r\n"},
                                                        {"sono.cal", "50\r\n300\r\n"},
                                                        {"SonoNote.txt", "no quotes here\r\nline 2\r\n"},
                                                        {"default.prg", "\"0.5\"\r\n\"0.5\"\r\n1\r\n"}};
    for (const auto& [name, bytes] : files)
        folder.write(name, bytes);
    ASSERT_NE(start(), nullptr);
    ASSERT_EQ(messages().size(), 4) << messages().join(u'|').toStdString();
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(messages()[i].contains(folder.file(QString::fromLatin1(files[i].first) + ".bak")));
        EXPECT_EQ(folder.read(files[i].first), files[i].second);
    }
    // Defaults hold for the run; plain notes are shown whole.
    EXPECT_EQ(run->state.EditorPath, "/usr/bin/xdg-open");
    EXPECT_EQ(run->state.generator.VolLeft, "0.5");
    EXPECT_EQ(child<QPlainTextEdit>(main, QStringLiteral("Text4"))->toPlainText(), "no quotes here\nline 2");
    typeNotes(QStringLiteral("!"));
    child(main, "Command2")->click();
    EXPECT_EQ(messages().size(), 5);
    EXPECT_EQ(folder.read("SonoNote.txt.bak"), files[2].second);
    EXPECT_EQ(folder.read("SonoNote.txt"), QByteArray("\"no quotes here\r\nline 2!\"\r\n"));
    // An empty box writes the sentence and Save disables itself.
    child<QPlainTextEdit>(main, QStringLiteral("Text4"))->clear();
    child(main, "Command2")->click();
    EXPECT_FALSE(child(main, "Command2")->isEnabled());
    EXPECT_EQ(folder.read("SonoNote.txt"), notesFileBytes(EmptyNotesText).bytes);
    // Typed and taken back: nothing to ask on closing.
    typeNotes(QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    main->close();
    EXPECT_EQ(messages().size(), 5);
}

// Each way out asks about typed notes, Cancel keeps Sono open, and every shut-down closes the other
// windows and adds one log record. Windows-1252 notes with a bare LF (as earlier builds wrote) are saved
// back in their own encoding, quotes doubled.
TEST_F(Startup, ExitWithTypedNotesAsksSaveDiscardOrCancelAndLogsEachShutDown) {
    const QByteArray stored("\"Caf\xe9 \x80 \"\"5\"\"\nline 2\"\r\n");
    const std::pair<QString, MessageAnswer> exits[] = {{QStringLiteral("exit"), MessageAnswer::Save},
                                                       {QStringLiteral("quit"), MessageAnswer::Discard},
                                                       {QString(), MessageAnswer::Discard}};
    QByteArray log;
    for (const auto& [exit, answer] : exits) {
        folder.write("SonoNote.txt", stored);
        ASSERT_NE(start(), nullptr);
        run->state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(14, 5, 0)); };
        QPointer<QWidget> tool = main->windows().open(QStringLiteral("Form7"), [] { return new QWidget; });
        auto leave = [&] { exit.isEmpty() ? (void)main->close() : main->menuAction(exit)->trigger(); };
        typeNotes(QStringLiteral("!"));
        run->platform.answers = {MessageAnswer::Cancel, answer};
        leave();
        EXPECT_TRUE(main->isVisible() && run->state.database.isOpen()) << exit.toStdString();
        ASSERT_EQ(run->platform.messages.size(), 1);
        EXPECT_EQ(run->platform.messages[0].buttons, MessageButtons::SaveDiscardCancel);
        EXPECT_EQ(folder.read("sono.log"), log);

        leave();
        EXPECT_FALSE(main->isVisible());
        QApplication::processEvents();
        EXPECT_TRUE(tool.isNull());
        EXPECT_FALSE(run->state.database.isOpen());
        EXPECT_EQ(folder.read("SonoNote.txt"), answer == MessageAnswer::Save
                                                   ? QByteArray("\"Caf\xe9 \x80 \"\"5\"\"\r\nline 2!\"\r\n")
                                                   : stored);
        log += "\"2026-12-05 14:05:00\",\" - Sono shut down.\"\r\n";
        EXPECT_EQ(folder.read("sono.log"), log);
    }
    EXPECT_FALSE(folder.exists("SonoNote.txt.bak")); // a file in Sono's form is not copied
    ASSERT_NE(start(), nullptr);
    EXPECT_EQ(child<QLabel>(main, QStringLiteral("Label20_0"))->text(), "Log :  3 entries");
}

// A first run of an installed Sono, the starter files in its share folder (the test's folder), a user with
// an empty home, and the step messages on: the eight messages in order and no other, every file made.
TEST_F(Startup, AnInstalledSonoFirstRunMakesEveryFileInTheUserFolder) {
    folder.installHelpPages();
    TestFolder home;
    const auto made =
        chooseAppFolder({folder.file(QStringLiteral("bin")), folder.path(), {}, {}, home.path()});
    ASSERT_TRUE(made);
    SonoHarness& r = fresh();
    r.state.folder = *made;
    r.session.start();
    const QString user = QStringLiteral(".local/share/sono/");
    EXPECT_EQ(checkLines(r.session.splash()),
              QStringList({"Database OK", "Initialization file will be created", "Help files OK",
                           "Editor Path ?", "Sono path = " + home.file(user).chopped(1)}));
    auto* check = child<QCheckBox>(r.session.splash(), QStringLiteral("Check1"));
    check->click();
    check->click(); // unticking does not turn the messages off
    EXPECT_EQ(r.platform.beeps, 1);
    auto* proceed = child(r.session.splash(), "Command1");
    proceed->setEnabled(true); // the timer has its own test
    proceed->click();
    ASSERT_NE(r.session.mainWindow(), nullptr);
    EXPECT_EQ(messages(),
              QStringList({"About to load main form", "About to call App.Path function",
                           "About to change directory to Sono's path", "About to initialize Jet Engine",
                           "About to send SQL to Jet Engine", "About to refresh Data Set",
                           "About to call file and object initialization", "All done"}));
    // Which files are made, and only there, is the install test's; the defaults are these.
    EXPECT_EQ(home.read(user + "sono.ini"), QByteArray("\"/usr/bin/xdg-open\"\r\n0\r\n"));
    EXPECT_EQ(home.read(user + "default.prg"), programFileBytes(defaultProgram()));
    EXPECT_EQ(home.read(user + "sono.cal"), calibrationFileBytes({}));
}
