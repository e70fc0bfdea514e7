#include "app/AppState.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/TestFolder.h"
#include "tools/AboutText.h"
#include "tools/GermanLocale.h"
#include "tools/HelpWindows.h"
#include "tools/PageWindow.h"
#include "tools/PrintResultsWindow.h"
#include "tools/SourceDir.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <clocale>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

const QByteArray PageTemplate =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Serif;}}\\pard\\b\\fs28 %1\\b0\\par\\fs22 Text of %1.\\par}";

// A started Sono on a temporary folder holding the help pages.
struct ToolsRun {
    ToolsRun() {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528}),
                               record(QStringLiteral("beta"), std::nullopt),
                               record(QStringLiteral("Gamma"), QStringLiteral("c3"), {20, 727, 787.5})});
        for (const char* page : {"intro", "database", "freqgen", "scanning", "fgcommand", "howtocal", "dorv"})
            folder.write(QString::fromLatin1(page) + QStringLiteral(".rtf"),
                         QByteArray(PageTemplate).replace("%1", page));
        state.folder = AppFolder(folder.path());
        state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(14, 5)); };
        main = startSono(session);
        EXPECT_NE(main, nullptr);
        platform.messages.clear();
    }
    ~ToolsRun() {
        if (main) main->windows().closeAll();
    }
    template <class W = QWidget> W* window(const char* form) {
        return qobject_cast<W*>(main->windows().find(QString::fromLatin1(form)));
    }
    void trigger(const char* item) { main->menuAction(QString::fromLatin1(item))->trigger(); }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
};

template <class T> T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QStringList items(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QString pageText(QWidget* window) {
    return child<QTextBrowser>(window, "RichTextBox1")->toPlainText();
}

} // namespace

TEST(PrintResultsWindow, WritesTheReportStartsTheEditorAndLeavesTheSelection) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.state.database.moveTo(1); // the user has selected the second line
    run.state.ResultCount = 0;    // no search made yet
    run.trigger("pLr");
    auto* form = run.window<PrintResultsWindow>("Form5");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - Print Results List");
    EXPECT_FALSE(run.main->isEnabled());
    for (const char* box : {"Check1", "Check2", "Check3"})
        EXPECT_FALSE(child<QCheckBox>(form, box)->isChecked());
    screenshot(form, QStringLiteral("tools-form5"));
    child<QCheckBox>(form, "Check2")->setChecked(true);
    child<QPushButton>(form, "Command1")->click();

    EXPECT_EQ(
        run.folder.read(QStringLiteral("freq.txt")),
        QByteArray("Frequency Selection   2:05 pm   5,Dec 2026\r\n \r\nAlpha\r\nFrequencies:  528\r\nbeta\r\n"
                   "Frequencies: No Frequencies Listed - See Comments\r\nGamma\r\n"
                   "Frequencies:  20,  727,  787.5\r\n"));
    ASSERT_EQ(run.platform.started.size(), 1);
    EXPECT_EQ(run.platform.started[0].program, "/usr/bin/xdg-open");
    EXPECT_EQ(run.platform.started[0].arguments, QStringList{run.folder.file(QStringLiteral("freq.txt"))});
    EXPECT_EQ(run.state.ResultCount, 1);
    EXPECT_TRUE(run.platform.messages.isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(run.window("Form5"), nullptr);
    EXPECT_TRUE(run.main->isEnabled());

    // Delete acts on the set that was selected before printing.
    EXPECT_EQ(run.state.database.position(), 1);
    ASSERT_TRUE(run.state.database.deleteCurrent().has_value());
    ASSERT_TRUE(run.state.database.refresh(SearchQuery::all()).has_value());
    ASSERT_EQ(run.state.database.count(), 2);
    EXPECT_EQ(run.state.database.at(0).Description, "Alpha");
    EXPECT_EQ(run.state.database.at(1).Description, "Gamma");
}

TEST(PrintResultsWindow, FailuresAreNamedAndExitReenablesTheMainWindow) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.state.EditorPath = QStringLiteral("/no/such/editor");
    run.platform.startSucceeds = false;
    run.trigger("pLr");
    child<QPushButton>(run.window("Form5"), "Command1")->click();
    ASSERT_EQ(run.platform.messages.size(), 1);
    EXPECT_TRUE(run.platform.messages[0].text.contains(QStringLiteral("/no/such/editor")));
    EXPECT_TRUE(run.folder.exists(QStringLiteral("freq.txt"))); // the report stays written

    // A report that cannot be written starts no editor.
    run.platform.messages.clear();
    run.platform.started.clear();
    run.platform.startSucceeds = true;
    QApplication::processEvents();
    run.trigger("pLr");
    ASSERT_TRUE(QDir(run.folder.path()).mkpath(QStringLiteral("blocker")));
    run.state.folder = AppFolder(run.folder.file(QStringLiteral("blocker/missing")));
    child<QPushButton>(run.window("Form5"), "Command1")->click();
    ASSERT_EQ(run.platform.messages.size(), 1);
    EXPECT_TRUE(run.platform.messages[0].text.contains(QStringLiteral("freq.txt")));
    EXPECT_TRUE(run.platform.started.isEmpty());
    EXPECT_FALSE(run.main->isEnabled());
    child<QPushButton>(run.window("Form5"), "Command2")->click();
    QApplication::processEvents();
    EXPECT_EQ(run.window("Form5"), nullptr);
    EXPECT_TRUE(run.main->isEnabled());
}

TEST(PrintResultsWindow, CloseAndSecondPreviewWaitWhileTheReportIsWritten) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.state.ResultCount = 3;
    run.trigger("pLr");
    auto* form = run.window<PrintResultsWindow>("Form5");
    ASSERT_NE(form, nullptr);
    int interruptions = 0;
    // The progress bar moves once per record while the report is written: the user's clicks arrive then.
    QObject::connect(child<QProgressBar>(form, "ProgressBar1"), &QProgressBar::valueChanged, form, [&] {
        if (!form->isWriting()) return;
        ++interruptions;
        EXPECT_FALSE(form->close());
        EXPECT_FALSE(child<QPushButton>(form, "Command1")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(form, "Command2")->isEnabled());
        form->printPreview(); // a second preview is ignored
        run.trigger("pLr");
    });
    child<QPushButton>(form, "Command1")->click();
    EXPECT_GE(interruptions, 3);
    EXPECT_EQ(run.platform.started.size(), 1);
    EXPECT_EQ(run.folder.read(QStringLiteral("freq.txt")).count("Alpha"), 1);
    QApplication::processEvents();
    EXPECT_EQ(run.window("Form5"), nullptr);
    EXPECT_TRUE(run.main->isEnabled());
}

TEST(ConversionsWindow, DefaultsAndListsAlikeInEveryLocale) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.trigger("FreqConversions");
    QWidget* form = run.window("Form7");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - Conversions");
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    EXPECT_EQ(child<QLineEdit>(form, "Text1")->text(), "11780000");
    EXPECT_EQ(child<QLineEdit>(form, "Text2")->text(), "11");

    QStringList lower[2], higher[2];
    for (int pass = 0; pass < 2; ++pass) {
        std::optional<GermanLocale> german;
        if (pass == 1) {
            german.emplace();
            ASSERT_TRUE(german->active()) << "no de_DE locale could be made";
        }
        child<QPushButton>(form, "Command1_0")->click();
        child<QPushButton>(form, "Command1_0")->click(); // twice: the same lists, not longer ones
        lower[pass] = items(child<QListWidget>(form, "List2"));
        higher[pass] = items(child<QListWidget>(form, "List1"));
    }
    ASSERT_EQ(lower[0].size(), 11);
    EXPECT_EQ(lower[0].first(), "5,890,000.0 Hz");
    EXPECT_EQ(lower[0][6], "92,031.3 Hz");
    EXPECT_EQ(lower[0].last(), "5,752.0 Hz");
    EXPECT_EQ(higher[0].first(), "23.560 MHz");
    EXPECT_EQ(higher[0].last(), "24,125.440 MHz");
    EXPECT_EQ(lower[1], lower[0]);
    EXPECT_EQ(higher[1], higher[0]);
    screenshot(form, QStringLiteral("tools-form7"));

    child<QLineEdit>(form, "Text2")->setText(QStringLiteral("abc"));
    child<QPushButton>(form, "Command1_0")->click();
    EXPECT_EQ(child<QListWidget>(form, "List1")->count(), 0);
    EXPECT_EQ(child<QListWidget>(form, "List2")->count(), 0);
    ASSERT_EQ(run.platform.messages.size(), 1);
    child<QLineEdit>(form, "Text2")->setText(QStringLiteral("100000000"));
    child<QPushButton>(form, "Command1_0")->click();
    EXPECT_EQ(run.platform.messages.size(), 2);
    EXPECT_EQ(child<QListWidget>(form, "List2")->count(), 0);
    child<QLineEdit>(form, "Text2")->setText(QStringLiteral("0"));
    child<QPushButton>(form, "Command1_0")->click();
    EXPECT_EQ(run.platform.messages.size(), 2);
}

TEST(EditorPathWindow, SaveExitAndRefusal) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.state.ClearBufferFirst = 1;
    run.trigger("SetEditorPath");
    QWidget* form = run.window("Form6");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - Editor Path Setting");
    EXPECT_EQ(child<QLabel>(form, "Label2")->text(), "Default = /usr/bin/xdg-open");
    EXPECT_EQ(child<QLineEdit>(form, "Text1")->text(), "/usr/bin/xdg-open");
    screenshot(form, QStringLiteral("tools-form6"));

    // Exit after typing leaves the file's bytes and the setting.
    const QByteArray before = run.folder.read(QStringLiteral("sono.ini"));
    child<QLineEdit>(form, "Text1")->setText(QStringLiteral("/usr/bin/gedit"));
    child<QPushButton>(form, "Command2")->click();
    QApplication::processEvents();
    EXPECT_EQ(run.folder.read(QStringLiteral("sono.ini")), before);
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/xdg-open");

    // A quote is refused; the window stays for a correction.
    run.trigger("SetEditorPath");
    form = run.window("Form6");
    child<QLineEdit>(form, "Text1")->setText(QStringLiteral("/usr/bin/\"gedit"));
    child<QPushButton>(form, "Command1")->click();
    EXPECT_EQ(run.platform.messages.size(), 1);
    EXPECT_EQ(run.folder.read(QStringLiteral("sono.ini")), before);
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/xdg-open");
    ASSERT_NE(run.window("Form6"), nullptr);

    child<QLineEdit>(form, "Text1")->setText(QStringLiteral("/usr/bin/gedit"));
    child<QPushButton>(form, "Command1")->click();
    EXPECT_EQ(run.folder.read(QStringLiteral("sono.ini")), QByteArray("\"/usr/bin/gedit\"\r\n1\r\n"));
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/gedit");

    // An empty box stores the default.
    QApplication::processEvents();
    run.trigger("SetEditorPath");
    child<QLineEdit>(run.window("Form6"), "Text1")->clear();
    child<QPushButton>(run.window("Form6"), "Command1")->click();
    EXPECT_EQ(run.folder.read(QStringLiteral("sono.ini")), QByteArray("\"/usr/bin/xdg-open\"\r\n1\r\n"));
    EXPECT_EQ(run.state.EditorPath, "/usr/bin/xdg-open");
}

TEST(HelpWindows, EachOptionShowsItsOwnPageAndTheWindowKeepsIt) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.trigger("HelpandTips");
    QWidget* form = run.window("Form8");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - Help and Tips");
    EXPECT_TRUE(pageText(form).startsWith(QStringLiteral("intro\n")));
    EXPECT_TRUE(child<QRadioButton>(form, "Option1_0")->isChecked());
    const char* pages[] = {"intro", "database", "freqgen", "scanning"};
    const char* captions[] = {"Introduction", "Database", "Freqgen", "Scanning"};
    for (int i : {2, 0, 3, 1}) {
        auto* option = child<QRadioButton>(form, QStringLiteral("Option1_%1").arg(i).toLatin1().constData());
        EXPECT_EQ(option->text(), QString::fromLatin1(captions[i]));
        option->click();
        EXPECT_EQ(pageText(form), QStringLiteral("%1\nText of %1.").arg(QString::fromLatin1(pages[i])));
    }
    // Chosen again: the same window comes to the front with the page it shows.
    run.trigger("HelpandTips");
    EXPECT_EQ(run.window("Form8"), form);
    EXPECT_TRUE(pageText(form).startsWith(QStringLiteral("database")));
    EXPECT_TRUE(child<QTextBrowser>(form, "RichTextBox1")->isReadOnly());
    EXPECT_TRUE(run.platform.messages.isEmpty());
}

TEST(HelpWindows, KeyCommandsDorvAndCalibrationPages) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.trigger("fgKeyCommands");
    QWidget* keys = run.window("Form12");
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->windowTitle(), "Sono - Freqgen: Key Commands");
    EXPECT_EQ(child<QLabel>(keys, "Label1")->text(),
              "To execute commands, click on the Freqgen DOS window to bring it into focus on your DeskTop.");
    EXPECT_EQ(keys->x() + keys->width(), 1280);
    EXPECT_EQ(keys->y(), 0);
    EXPECT_TRUE(pageText(keys).startsWith(QStringLiteral("fgcommand")));
    showKeyCommands(*run.main); // Run shows it again: still one window
    EXPECT_EQ(run.window("Form12"), keys);

    run.trigger("Dorv_Effect");
    ASSERT_NE(run.window("Form18"), nullptr);
    EXPECT_EQ(run.window("Form18")->windowTitle(), "Sono - The Dorv Effect");
    EXPECT_TRUE(pageText(run.window("Form18")).startsWith(QStringLiteral("dorv")));
    showHowToCalibrate(*run.main);
    ASSERT_NE(run.window("Form22"), nullptr);
    EXPECT_EQ(run.window("Form22")->windowTitle(), "Sono - How To Calibrate Sound Card");
    EXPECT_TRUE(pageText(run.window("Form22")).startsWith(QStringLiteral("howtocal")));
    child<QPushButton>(run.window("Form22"), "Command1")->click();
    QApplication::processEvents();
    EXPECT_EQ(run.window("Form22"), nullptr);
    EXPECT_TRUE(run.platform.messages.isEmpty());
}

TEST(HelpWindows, MissingPageIsNamedAndLeavesAnEmptyReadOnlyPage) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    QFile::remove(run.folder.file(QStringLiteral("dorv.rtf")));
    run.trigger("Dorv_Effect");
    QWidget* form = run.window("Form18");
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(run.platform.messages.size(), 1);
    EXPECT_TRUE(run.platform.messages[0].text.contains(QStringLiteral("dorv.rtf")));
    EXPECT_TRUE(pageText(form).isEmpty());
    EXPECT_TRUE(child<QTextBrowser>(form, "RichTextBox1")->isReadOnly());
}

TEST(AboutWindow, ShowsTheTextInASerifBoxAndTwoPictures) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    run.trigger("AboutSono");
    QWidget* form = run.window("Form4");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - About");
    auto* text = child<QPlainTextEdit>(form, "Text1");
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->font().styleHint(), QFont::Serif);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("free of charge")));
    EXPECT_EQ(text->toPlainText(), aboutText());
    for (const char* picture : {"Picture1", "Picture2"})
        EXPECT_FALSE(child<QLabel>(form, picture)->pixmap().isNull());
    screenshot(form, QStringLiteral("tools-form4"));
}

TEST(WebMenu, TwelveHttpsEntriesAndAFailingOpenerIsReported) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    const QList<QAction*> entries = run.main->webMenu()->actions();
    ASSERT_EQ(entries.size(), 12);
    QStringList captions;
    for (QAction* entry : entries) {
        EXPECT_FALSE(entry->text().isEmpty());
        captions << entry->text();
        entry->trigger();
    }
    EXPECT_EQ(captions.removeDuplicates(), 0);
    ASSERT_EQ(run.platform.urls.size(), 12);
    for (const QUrl& url : run.platform.urls) {
        EXPECT_EQ(url.scheme(), "https");
        EXPECT_TRUE(url.isValid());
    }
    EXPECT_EQ(QSet<QUrl>(run.platform.urls.begin(), run.platform.urls.end()).size(), 12);
    EXPECT_TRUE(run.platform.messages.isEmpty());
    run.platform.openSucceeds = false;
    entries[3]->trigger();
    ASSERT_EQ(run.platform.messages.size(), 1);
    EXPECT_TRUE(run.platform.messages[0].text.contains(run.platform.urls.last().toString()));
}

TEST(HelpWindows, ScreenshotsOfTheShippedPages) {
    ToolsRun run;
    ASSERT_NE(run.main, nullptr);
    const QDir help(sourceDir() + QStringLiteral("/data/help"));
    const QStringList pages = help.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    ASSERT_EQ(pages.size(), 7) << help.path().toStdString();
    for (const QString& name : pages) {
        QFile::remove(run.folder.file(name));
        QFile::copy(help.filePath(name), run.folder.file(name));
    }
    run.trigger("HelpandTips");
    for (int i = 0; i < 4; ++i) {
        child<QRadioButton>(run.window("Form8"), QStringLiteral("Option1_%1").arg(i).toLatin1().constData())
            ->click();
        screenshot(run.window("Form8"), QStringLiteral("tools-form8-%1").arg(i));
    }
    run.trigger("fgKeyCommands");
    screenshot(run.window("Form12"), QStringLiteral("tools-form12"));
    run.trigger("Dorv_Effect");
    screenshot(run.window("Form18"), QStringLiteral("tools-form18"));
    showHowToCalibrate(*run.main);
    screenshot(run.window("Form22"), QStringLiteral("tools-form22"));
    EXPECT_EQ(run.main->windows().openWindows().size(), 4);
}
