#include "core/app/AppState.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/HelpWindows.h"
#include "gui/tools/PrintResultsWindow.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

QString pageText(QWidget* window) {
    return child<QTextBrowser>(window, QStringLiteral("RichTextBox1"))->toPlainText();
}

// The window shows the shipped page with this title as readable text, no control words left over.
void expectPage(QWidget* window, const char* title) {
    const QString text = pageText(window);
    EXPECT_TRUE(text.startsWith(QString::fromLatin1(title) + u'\n')) << title;
    EXPECT_GT(text.size(), 300) << title;
    EXPECT_FALSE(text.contains(u'\\') || text.contains(u'{') || text.contains(u'}')) << title;
}

// A started Sono on a temporary folder holding three sets and the shipped help pages.
class ToolsWindow : public ::testing::Test, public SonoHarness {
protected:
    void SetUp() override {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528}),
                               record(QStringLiteral("beta"), std::nullopt),
                               record(QStringLiteral("Gamma"), QStringLiteral("c3"), {20, 727, 787.5})});
        folder.installHelpPages();
        state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(14, 5)); };
        start();
        ASSERT_NE(main, nullptr);
        platform.messages.clear();
    }
    void TearDown() override {
        if (main) main->windows().closeAll();
    }
    void trigger(const char* item) { main->menuAction(QString::fromLatin1(item))->trigger(); }
    void closeAndCheckGone(const char* form, const char* exitButton) {
        child(window(form), QString::fromLatin1(exitButton))->click();
        QApplication::processEvents();
        EXPECT_EQ(window(form), nullptr) << form;
    }
};

} // namespace

TEST_F(ToolsWindow, PrintPreviewWritesTheReportStartsTheEditorAndLeavesTheSelection) {
    state.database.moveTo(1); // the user has selected the second line
    state.ResultCount = 0;    // no search made yet
    trigger("pLr");
    auto* form = window<PrintResultsWindow>("Form5");
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(form->windowTitle(), "Sono - Print Results List");
    for (const char* box : {"Check1", "Check2", "Check3"})
        EXPECT_FALSE(child<QCheckBox>(form, QString::fromLatin1(box))->isChecked());
    screenshot(form, QStringLiteral("tools-form5"));
    child<QCheckBox>(form, QStringLiteral("Check2"))->setChecked(true);
    child(form, QStringLiteral("Command1"))->click();

    EXPECT_EQ(
        folder.read(QStringLiteral("freq.txt")),
        QByteArray("Frequency Selection   2:05 pm   5,Dec 2026\r\n \r\nAlpha\r\nFrequencies:  528\r\nbeta\r\n"
                   "Frequencies: No Frequencies Listed - See Comments\r\nGamma\r\n"
                   "Frequencies:  20,  727,  787.5\r\n"));
    ASSERT_EQ(platform.started.size(), 1);
    EXPECT_EQ(platform.started[0].program, "/usr/bin/xdg-open");
    EXPECT_EQ(platform.started[0].arguments, QStringList{folder.file(QStringLiteral("freq.txt"))});
    EXPECT_EQ(state.ResultCount, 1);
    EXPECT_TRUE(platform.messages.isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(window("Form5"), nullptr);
    EXPECT_TRUE(main->isEnabled());

    // Delete acts on the set that was selected before printing.
    EXPECT_EQ(state.database.position(), 1);
    ASSERT_TRUE(state.database.deleteCurrent().has_value());
    ASSERT_TRUE(state.database.refresh(SearchQuery::all()).has_value());
    ASSERT_EQ(state.database.count(), 2);
    EXPECT_EQ(state.database.at(0).Description, "Alpha");
    EXPECT_EQ(state.database.at(1).Description, "Gamma");
}

TEST_F(ToolsWindow, PrintFailuresAreNamedAndExitReenablesTheMainWindow) {
    state.EditorPath = QStringLiteral("/no/such/editor");
    platform.startSucceeds = false;
    trigger("pLr");
    child(window("Form5"), QStringLiteral("Command1"))->click();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("/no/such/editor")));
    EXPECT_TRUE(folder.exists(QStringLiteral("freq.txt"))); // the report stays written

    // A report that cannot be written starts no editor.
    platform.messages.clear();
    platform.started.clear();
    platform.startSucceeds = true;
    QApplication::processEvents();
    trigger("pLr");
    state.folder = AppFolder(folder.file(QStringLiteral("missing")));
    child(window("Form5"), QStringLiteral("Command1"))->click();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("freq.txt")));
    EXPECT_TRUE(platform.started.isEmpty());
    EXPECT_FALSE(main->isEnabled());
    closeAndCheckGone("Form5", "Command2");
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(ToolsWindow, PrintCloseAndSecondPreviewWaitWhileTheReportIsWritten) {
    state.ResultCount = 3;
    trigger("pLr");
    auto* form = window<PrintResultsWindow>("Form5");
    ASSERT_NE(form, nullptr);
    int interruptions = 0;
    // The progress bar moves once per record while the report is written: the user's clicks arrive then.
    QObject::connect(child<QProgressBar>(form, QStringLiteral("ProgressBar1")), &QProgressBar::valueChanged,
                     form, [&] {
                         if (!form->isWriting()) return;
                         ++interruptions;
                         EXPECT_FALSE(form->close());
                         EXPECT_FALSE(child(form, QStringLiteral("Command1"))->isEnabled());
                         EXPECT_FALSE(child(form, QStringLiteral("Command2"))->isEnabled());
                         form->printPreview(); // a second preview is ignored
                         trigger("pLr");
                     });
    child(form, QStringLiteral("Command1"))->click();
    EXPECT_GE(interruptions, 3);
    EXPECT_EQ(platform.started.size(), 1);
    EXPECT_EQ(folder.read(QStringLiteral("freq.txt")).count("Alpha"), 1);
    QApplication::processEvents();
    EXPECT_EQ(window("Form5"), nullptr);
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(ToolsWindow, ConversionsDefaultsListsAndRefusals) {
    trigger("FreqConversions");
    QWidget* form = window("Form7");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - Conversions");
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("Text1"))->text(), "11780000");
    EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("Text2"))->text(), "11");
    auto convert = [&](const QString& count) {
        child<QLineEdit>(form, QStringLiteral("Text2"))->setText(count);
        child(form, QStringLiteral("Command1_0"))->click();
        return rows(child<QListWidget>(form, QStringLiteral("List2"))) +
               rows(child<QListWidget>(form, QStringLiteral("List1")));
    };
    convert(QStringLiteral("11"));
    const QStringList plain = convert(QStringLiteral("11")); // twice: the same lists, not longer ones
    ASSERT_EQ(plain.size(), 22);
    EXPECT_EQ(plain[6], "92,031.3 Hz");
    EXPECT_EQ(plain[21], "24,125.440 MHz");
    screenshot(form, QStringLiteral("tools-form7"));
    // Text that is not a number and a huge count give a message and empty lists; 0 just empty lists.
    EXPECT_TRUE(convert(QStringLiteral("abc")).isEmpty());
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(convert(QStringLiteral("100000000")).isEmpty());
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(convert(QStringLiteral("0")).isEmpty());
    EXPECT_EQ(platform.messages.size(), 2);
}

TEST_F(ToolsWindow, EditorPathSaveExitAndRefusal) {
    state.ClearBufferFirst = 1;
    trigger("SetEditorPath");
    QWidget* form = window("Form6");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - Editor Path Setting");
    EXPECT_EQ(child<QLabel>(form, QStringLiteral("Label2"))->text(), "Default = /usr/bin/xdg-open");
    EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("Text1"))->text(), "/usr/bin/xdg-open");
    screenshot(form, QStringLiteral("tools-form6"));
    auto enter = [&](const QString& path, const char* button) {
        trigger("SetEditorPath");
        child<QLineEdit>(window("Form6"), QStringLiteral("Text1"))->setText(path);
        child(window("Form6"), QString::fromLatin1(button))->click();
        QApplication::processEvents();
    };

    // Exit after typing, and a path with a quote, leave the file's bytes and the setting.
    const QByteArray before = folder.read(QStringLiteral("sono.ini"));
    enter(QStringLiteral("/usr/bin/gedit"), "Command2");
    EXPECT_EQ(window("Form6"), nullptr);
    enter(QStringLiteral("/usr/bin/\"gedit"), "Command1");
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_NE(window("Form6"), nullptr); // kept open for a correction
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), before);
    EXPECT_EQ(state.EditorPath, "/usr/bin/xdg-open");

    enter(QStringLiteral("/usr/bin/gedit"), "Command1");
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/usr/bin/gedit\"\r\n1\r\n"));
    EXPECT_EQ(state.EditorPath, "/usr/bin/gedit");
    enter(QString(), "Command1"); // an empty box stores the default
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/usr/bin/xdg-open\"\r\n1\r\n"));
    EXPECT_EQ(state.EditorPath, "/usr/bin/xdg-open");
}

TEST_F(ToolsWindow, PageWindowsShowTheirOwnPagesAndKeepThem) {
    trigger("HelpandTips");
    QWidget* form = window("Form8");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - Help and Tips");
    EXPECT_TRUE(child<QRadioButton>(form, QStringLiteral("Option1_0"))->isChecked());
    const char* captions[] = {"Introduction", "Database", "Freqgen", "Scanning"};
    const char* titles[] = {"Welcome to Sono", "The Database tab", "The FreqGen tab", "The Scan tab"};
    expectPage(form, titles[0]);
    for (int i : {2, 0, 3, 1}) {
        auto* option = child<QRadioButton>(form, QStringLiteral("Option1_%1").arg(i));
        EXPECT_EQ(option->text(), QString::fromLatin1(captions[i]));
        option->click();
        expectPage(form, titles[i]);
    }
    screenshot(form, QStringLiteral("tools-form8"));
    // Chosen again: the same window comes to the front with the page it shows.
    trigger("HelpandTips");
    EXPECT_EQ(window("Form8"), form);
    expectPage(form, titles[1]);
    EXPECT_TRUE(child<QTextBrowser>(form, QStringLiteral("RichTextBox1"))->isReadOnly());

    trigger("fgKeyCommands");
    QWidget* keys = window("Form12");
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->windowTitle(), "Sono - Freqgen: Key Commands");
    EXPECT_EQ(
        child<QLabel>(keys, QStringLiteral("Label1"))->text(),
        "To execute commands, click on the Freqgen terminal window to bring it into focus on your DeskTop.");
    EXPECT_EQ(keys->x() + keys->width(), 1280);
    EXPECT_EQ(keys->y(), 0);
    expectPage(keys, "freqgen: key commands");
    showKeyCommands(main->services()); // Run shows it again: still one window
    EXPECT_EQ(window("Form12"), keys);
    screenshot(keys, QStringLiteral("tools-form12"));

    trigger("Dorv_Effect");
    ASSERT_NE(window("Form18"), nullptr);
    EXPECT_EQ(window("Form18")->windowTitle(), "Sono - The Dorv Effect");
    expectPage(window("Form18"), "The Dorv Effect");
    screenshot(window("Form18"), QStringLiteral("tools-form18"));
    showHowToCalibrate(main->services());
    ASSERT_NE(window("Form22"), nullptr);
    EXPECT_EQ(window("Form22")->windowTitle(), "Sono - How To Calibrate Sound Card");
    expectPage(window("Form22"), "How to calibrate your sound card");
    screenshot(window("Form22"), QStringLiteral("tools-form22"));
    EXPECT_EQ(main->windows().openWindows().size(), 4);
    closeAndCheckGone("Form22", "Command1");
    EXPECT_TRUE(platform.messages.isEmpty());

    // A missing page is named and leaves an empty read-only page.
    QFile::remove(folder.file(QStringLiteral("howtocal.rtf")));
    showHowToCalibrate(main->services());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("howtocal.rtf")));
    EXPECT_TRUE(pageText(window("Form22")).isEmpty());
    EXPECT_TRUE(child<QTextBrowser>(window("Form22"), QStringLiteral("RichTextBox1"))->isReadOnly());
}

// The About text is kept in data/about.txt, whose counts are checked against the data.
TEST_F(ToolsWindow, AboutShowsTheShippedTextInASerifBoxAndTwoPictures) {
    trigger("AboutSono");
    QWidget* form = window("Form4");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Sono - About");
    auto* text = child<QPlainTextEdit>(form, QStringLiteral("Text1"));
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->font().styleHint(), QFont::Serif);
    QFile file(QStringLiteral(SONO_TEST_SOURCE_DIR "/data/about.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString shipped =
        QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(text->toPlainText(), shipped.trimmed());
    EXPECT_TRUE(shipped.contains(QStringLiteral("free of charge")));
    EXPECT_EQ(text->toPlainText().count(QStringLiteral("\n\n")), 9); // ten paragraphs, in their order
    for (const char* picture : {"Picture1", "Picture2"})
        EXPECT_FALSE(child<QLabel>(form, QString::fromLatin1(picture))->pixmap().isNull());
    screenshot(form, QStringLiteral("tools-form4"));
}

TEST_F(ToolsWindow, WebMenuHasTwelveHttpsEntriesAndAFailingOpenerIsReported) {
    const QList<QAction*> entries = main->webMenu()->actions();
    ASSERT_EQ(entries.size(), 12);
    QSet<QString> captions;
    for (QAction* entry : entries) {
        captions << entry->text();
        entry->trigger();
    }
    EXPECT_EQ(captions.size(), 12);
    EXPECT_FALSE(captions.contains(QString()));
    ASSERT_EQ(platform.urls.size(), 12);
    for (const QUrl& url : platform.urls)
        EXPECT_TRUE(url.isValid() && url.scheme() == "https") << url.toString().toStdString();
    EXPECT_EQ(QSet<QUrl>(platform.urls.begin(), platform.urls.end()).size(), 12);
    EXPECT_TRUE(platform.messages.isEmpty());
    platform.openSucceeds = false;
    entries[3]->trigger();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(platform.urls.last().toString()));
}
