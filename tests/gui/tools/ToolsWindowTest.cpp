#include "core/tools/WebLinks.h"
#include "gui/display/CalibrationWindow.h"
#include "gui/tools/HelpWindows.h"
#include "gui/tools/PrintResultsWindow.h"
#include "gui/tools/ToolsMenus.h"
#include "support/SonoHarness.h"

#include <QtTest>
#include <QtWidgets>

using namespace sono;
using namespace sono::test;

namespace {

QString pageText(QWidget* window) {
    return child<QTextBrowser>(window, "RichTextBox1")->toPlainText();
}

// The window shows the shipped page with this title as readable text, no control words left over.
void expectPage(QWidget* window, const char* title) {
    const QString text = pageText(window);
    EXPECT_TRUE(text.startsWith(QString::fromLatin1(title) + u'\n') && text.size() > 300) << title;
    EXPECT_FALSE(text.contains(u'\\') || text.contains(u'{') || text.contains(u'}')) << title;
}

// Three sets, the shipped help pages and a settings file; each window is opened on the services alone.
struct ToolsWindow : ::testing::Test, WindowServices {
    ToolsWindow() {
        openStore({record("Alpha", "c1", {528}), record("beta", std::nullopt),
                   record("Gamma", "c3", {20, 727, 787.5})});
        EXPECT_TRUE(state.database.refresh(SearchQuery::all()).has_value());
        folder.installHelpPages();
        folder.write(QStringLiteral("sono.ini"), "\"/usr/bin/xdg-open\"\r\n1\r\n");
        state.EditorPath = QStringLiteral("/usr/bin/xdg-open");
        state.ClearBufferFirst = 1;
        state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(14, 5)); };
    }
    void TearDown() override { windows.closeAll(); }
    QWidget* window(const char* form) {
        QApplication::processEvents(); // a closed window goes on the next turn of the event loop
        return windows.find(QString::fromLatin1(form));
    }
    // Print Preview, and the wait for the background work that writes the report.
    void preview(QWidget* form) {
        QSignalSpy finished(&work, &BackgroundWork::finished);
        child(form, "Command1")->click();
        ASSERT_TRUE(finished.wait(5000));
    }
    PrintResultsWindow* printWindow() {
        QApplication::processEvents();
        openPrintResults(services);
        return qobject_cast<PrintResultsWindow*>(window("Form5"));
    }
    QString lastMessage() const {
        return platform.messages.isEmpty() ? QString() : platform.messages.last().text;
    }
};

} // namespace

// The report is written by background work: until it is done, closing, Esc, a second preview and a
// second Print Results all wait. A failing editor or report is named; a cancel writes nothing.
TEST_F(ToolsWindow, PrintPreviewWritesTheReportInTheBackgroundStartsTheEditorAndNamesFailures) {
    state.database.moveTo(1); // the user has selected the second line; no search made yet
    state.ResultCount = 3;
    auto* form = printWindow();
    EXPECT_FALSE(owner.isEnabled());
    child<QCheckBox>(form, "Check2")->setChecked(true);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    QSignalSpy finished(&work, &BackgroundWork::finished);
    child(form, "Command1")->click();
    ASSERT_TRUE(form->isWriting());
    EXPECT_FALSE(form->close());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(child(form, "Command1")->isEnabled() || child(form, "Command2")->isEnabled());
    form->printPreview(); // a second preview is ignored
    openPrintResults(services);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(child<QProgressBar>(form, "ProgressBar1")->value(), 3);
    // The layout is the report's own test; here the ticked box and every listed set reach the file, once.
    const QByteArray report = folder.read(QStringLiteral("freq.txt"));
    EXPECT_TRUE(report.endsWith("Gamma\r\nFrequencies:  20,  727,  787.5\r\n") && report.count("Alpha") == 1);
    ASSERT_EQ(platform.started.size(), 1);
    EXPECT_EQ(platform.started[0].arguments, QStringList{folder.file(QStringLiteral("freq.txt"))});
    EXPECT_TRUE(window("Form5") == nullptr && owner.isEnabled());
    EXPECT_EQ(state.database.position(), 1); // Delete still acts on the selected set

    // An editor that does not start is named; the report stays written.
    state.ResultCount = 0;
    state.EditorPath = QStringLiteral("/no/such/editor");
    platform.startSucceeds = false;
    preview(printWindow());
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("/no/such/editor")));
    EXPECT_TRUE(folder.exists(QStringLiteral("freq.txt")));
    EXPECT_EQ(state.ResultCount, 1);
    // A report that cannot be written starts no editor and keeps the window.
    form = printWindow();
    state.folder = AppFolder(folder.file(QStringLiteral("missing")));
    preview(form);
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("freq.txt")));
    EXPECT_EQ(platform.started.size(), 2);
    // Cancelled at once, before the work could write a line: no file, no editor, the window stays.
    state.folder = AppFolder(folder.path());
    QFile::remove(folder.file(QStringLiteral("freq.txt")));
    child(form, "Command1")->click();
    ASSERT_NE(form->findChild<QProgressDialog*>(QStringLiteral("BackgroundProgress")), nullptr);
    work.cancelAndWait();
    EXPECT_FALSE(form->isWriting());
    EXPECT_FALSE(folder.exists(QStringLiteral("freq.txt")));
    EXPECT_EQ(platform.started.size(), 2);
    EXPECT_TRUE(child(form, "Command1")->isEnabled());
    child(form, "Command2")->click(); // Exit
    EXPECT_TRUE(window("Form5") == nullptr && owner.isEnabled());
}

// Conversions repeat the same lists and a refusal empties them; a refused editor path keeps its window for a
// correction (saving is in the key table below) and Exit keeps nothing; a failing web link opener is named.
TEST_F(ToolsWindow, ConversionsEditorPathAndWebLinksRouteTheirResults) {
    openConversions(services);
    QWidget* form = window("Form7");
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    auto convert = [&](const char* count) {
        child<QLineEdit>(form, "Text2")->setText(QString::fromLatin1(count));
        child(form, "Command1_0")->click();
        return rows(child<QListWidget>(form, "List2")) + rows(child<QListWidget>(form, "List1"));
    };
    convert("11");
    EXPECT_EQ(convert("11").size(), 22); // twice: the same lists, not longer ones
    EXPECT_TRUE(convert("abc").isEmpty());
    EXPECT_EQ(platform.messages.size(), 1);

    openEditorPath(services);
    auto* box = child<QLineEdit>(window("Form6"), "Text1");
    EXPECT_EQ(box->text(), "/usr/bin/xdg-open");
    const QByteArray before = folder.read(QStringLiteral("sono.ini"));
    box->setText(QStringLiteral("/usr/bin/\"gedit"));
    child(window("Form6"), "Command1")->click();
    EXPECT_TRUE(platform.messages.size() == 2 && window("Form6"));
    child(window("Form6"), "Command2")->click(); // Exit
    EXPECT_TRUE(window("Form6") == nullptr && state.EditorPath == "/usr/bin/xdg-open");
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), before);

    openWebLink(services, WebLinks[3]);
    EXPECT_EQ(platform.urls, QList<QUrl>({QUrl(QString::fromLatin1(WebLinks[3].url))}));
    platform.openSucceeds = false;
    openWebLink(services, WebLinks[3]);
    EXPECT_TRUE(lastMessage().contains(platform.urls.last().toString()));
}

TEST_F(ToolsWindow, PageWindowsShowTheirOwnPagesAndKeepThem) {
    showHelpAndTips(services);
    QWidget* form = window("Form8");
    const char* titles[] = {"Welcome to Sono", "The Database tab", "The FreqGen tab", "The Scan tab"};
    expectPage(form, titles[0]);
    for (int i : {2, 0, 3, 1}) {
        child<QRadioButton>(form, QStringLiteral("Option1_%1").arg(i))->click();
        expectPage(form, titles[i]);
    }
    showHelpAndTips(services); // chosen again: the same window comes to the front with its page
    EXPECT_EQ(window("Form8"), form);
    expectPage(form, titles[1]);

    showKeyCommands(services);
    QWidget* keys = window("Form12");
    EXPECT_EQ(QPoint(keys->x() + keys->width(), keys->y()), QPoint(1280, 0));
    expectPage(keys, "freqgen: key commands");
    showKeyCommands(services); // Run shows it again: still one window
    showDorvEffect(services);
    expectPage(window("Form18"), "The Dorv Effect");
    EXPECT_TRUE(platform.messages.isEmpty());
    // A missing page is named and leaves an empty page.
    QFile::remove(folder.file(QStringLiteral("howtocal.rtf")));
    showHowToCalibrate(services);
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("howtocal.rtf")));
    EXPECT_TRUE(pageText(window("Form22")).isEmpty());
    EXPECT_EQ(windows.openWindows().size(), 4);
}

// Esc acts as each window's Close or Exit (nothing is kept, the main window is usable again); Enter
// presses its default button. The keys go to the focused control of the active window.
TEST_F(ToolsWindow, EscClosesAndEnterPressesTheDefaultButton) {
    // The window, its opener, the control with the focus, what is typed, what Enter did besides closing
    // (Esc must not have done it), and whether Enter keeps the window (Calculate and Save do).
    const std::tuple<const char*, std::function<void(Services&)>, const char*, QString, std::function<bool()>,
                     bool>
        cases[] = {
            {"Form4", openAbout, "Text1", {}, {}, false},
            {"Form5", openPrintResults, "Check1", {}, [&] { return !platform.started.empty(); }, false},
            {"Form6", openEditorPath, "Text1", "/usr/bin/gedit",
             [&] { return folder.read(QStringLiteral("sono.ini")) == "\"/usr/bin/gedit\"\r\n1\r\n"; }, false},
            {"Form7", openConversions, "Text2", "3",
             [&] { return window("Form7") && child<QListWidget>(window("Form7"), "List1")->count() == 3; },
             true},
            {"Form21",
             [&](Services&) {
                 windows.open<CalibrationWindow>("Form21", [&] { return new CalibrationWindow(services); });
             },
             "Text1_0", "51", [&] { return state.calibration.CalTable[0] == 51.0f; }, true},
            {"Form8", showHelpAndTips, "RichTextBox1", {}, {}, false},
            {"Form12", showKeyCommands, "RichTextBox1", {}, {}, false},
            {"Form18", showDorvEffect, "RichTextBox1", {}, {}, false},
            {"Form22", showHowToCalibrate, "RichTextBox1", {}, {}, false},
        };
    owner.show();
    for (const auto& [form, open, focused, typed, entered, staysOpen] : cases) {
        SCOPED_TRACE(form);
        // Opens the window afresh, types into its focused control, then presses the key.
        const auto press = [&](Qt::Key key) {
            open(services);
            QWidget* w = window(form);
            ASSERT_NE(w, nullptr);
            w->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(w));
            auto* focus = child<QWidget>(w, focused);
            focus->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), focus);
            if (auto* box = qobject_cast<QLineEdit*>(focus)) box->clear();
            QTest::keyClicks(focus, typed);
            QTest::keyClick(focus, key);
        };
        press(Qt::Key_Escape);
        EXPECT_TRUE(window(form) == nullptr && owner.isEnabled());
        EXPECT_FALSE(entered && entered());
        press(Qt::Key_Return);
        ASSERT_TRUE(!work.busy() || QSignalSpy(&work, &BackgroundWork::finished).wait(5000)); // the report
        EXPECT_TRUE(!entered || entered());
        EXPECT_EQ(window(form) != nullptr, staysOpen);
    }
}
