#include "gui/database/DatabaseTab.h"
#include "support/SonoHarness.h"

#include <QtTest>
#include <QtWidgets>

using namespace sono;
using namespace sono::test;

namespace {

// The buffer window as the Database tab opens it, on three sets.
struct Buffer : ::testing::Test, WindowServices {
    Buffer() {
        state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(15, 7)); };
        state.BuildTitle = QStringLiteral("Sono12 - build ") + BuildVersionText;
        state.EditorPath = QStringLiteral("/opt/my editor/edit");
        openStore({record("Alpha", "first", {20000, 12000, 4800, 5000}),
                   record("Beta", std::nullopt, {7.83, 10, 0, 500}), record("Gamma", "third", {528})});
        EXPECT_TRUE(state.database.refresh(SearchQuery::all()));
    }
    // Shows record k as the record display would, then sends it.
    void send(int k, const QString& freqText) {
        state.database.moveTo(k);
        state.RecordFreqText = freqText;
        tab.sendToBuffer();
    }
    // Sends Alpha and Beta, then opens the buffer window and makes it the active one.
    void sendTwo() {
        send(0, QStringLiteral(" 20000,  12000,  4800,  5000"));
        send(1, QStringLiteral(" 7.83,  10,  500"));
        child(&tab, "Command4")->click();
        window = windows.find(QStringLiteral("Form3"));
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    QString text(const char* name) const { return child<QPlainTextEdit>(window, name)->toPlainText(); }

    DatabaseTab tab{services};
    QWidget* window = nullptr;
};

} // namespace

// What a full buffer keeps is the model test's; the tab beeps for each set taken and shows the refusal.
TEST_F(Buffer, AFullBufferRefusesTheSetWithAMessage) {
    for (int i = 0; i <= FrequencyBuffer::Capacity; ++i)
        send(2, QStringLiteral(" 528"));
    EXPECT_EQ(platform.beeps, FrequencyBuffer::Capacity);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("full")));
}

// The list taking the focus makes its first row current, but only the user's move selects a line; Esc leaves.
TEST_F(Buffer, ManagementWindowSelectsByTheUsersMoveDeletesClearsAndStoresTheClearFirstFlag) {
    send(2, QStringLiteral(" 528"));
    sendTwo();
    EXPECT_FALSE(owner.isEnabled());
    auto* list = child<QListWidget>(window, "List1");
    auto* exit = child(window, "Command1");
    exit->setFocus();
    QTest::keyClick(exit, Qt::Key_Tab); // round to the list
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentRow(), 0);
    auto* remove = child(window, "Command4");
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(text("Text1") + text("Text2"), "");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ((QStringList{text("Text1"), text("Text2")}),
              QStringList({"first", " 20000,  12000,  4800,  5000"}));
    remove->click();
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(text("Text2"), "");
    ASSERT_EQ(rows(list), QStringList({"Gamma", "Beta"}));
    list->setCurrentRow(1);
    EXPECT_EQ((QStringList{text("Text1"), text("Text2")}), QStringList({"No Comment", " 7.83,  10,  500"}));
    child(window, "Command7")->click();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(state.buffer.BufferNext, 1);

    child<QCheckBox>(window, "Check1")->click();
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), "\"/opt/my editor/edit\"\r\n1\r\n");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // Esc is Exit
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(windows.find(QStringLiteral("Form3")), nullptr);
    // With the flag on, each set sent replaces the buffer.
    send(0, QStringLiteral(" 20000"));
    send(2, QStringLiteral(" 528"));
    EXPECT_EQ(state.buffer.BufferNext, 2);
    EXPECT_EQ(state.buffer.entries[1].Description, "Gamma");
}

// The report's layout and the cap are the model test's; here the typed cap and the sets reach the file.
TEST_F(Buffer, PrintPreviewWritesTheReportStartsTheEditorAndNamesWhatFailed) {
    sendTwo();
    auto* cap = child<QLineEdit>(window, "Text3");
    cap->setText(QStringLiteral("5"));
    cap->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter is Print Preview
    const QByteArray report = folder.read(QStringLiteral("freq.txt"));
    EXPECT_TRUE(
        report.startsWith("Sono12 - build 05.01.16 : Frequency Selection   3:07 pm    5, Dec 2026\r\n"));
    EXPECT_TRUE(report.contains("Capped at :  5kHz") && report.endsWith("Beta\r\nNo Comment\r\n"
                                                                        "Frequencies:  7.83,  10\r\n \r\n"));
    ASSERT_EQ(platform.started.size(), 1);
    EXPECT_EQ(platform.started[0].program, state.EditorPath);
    EXPECT_EQ(platform.started[0].arguments, QStringList({state.filePath(QStringLiteral("freq.txt"))}));
    EXPECT_EQ(platform.started[0].workingFolder, folder.path());

    state.EditorPath = QStringLiteral("/no/such/editor");
    platform.startSucceeds = false;
    auto* preview = child(window, "Command2");
    preview->click();
    EXPECT_TRUE(platform.messages.last().text.contains(QStringLiteral("/no/such/editor")));
    QFile::remove(folder.file(QStringLiteral("freq.txt")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("freq.txt"))); // a folder cannot be written
    platform.started.clear();
    preview->click();
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].text.contains(QStringLiteral("freq.txt")));
    EXPECT_TRUE(platform.started.isEmpty());
}
