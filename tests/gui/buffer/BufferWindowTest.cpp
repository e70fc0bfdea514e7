#include "gui/database/DatabaseTab.h"
#include "support/SonoWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

using namespace sono;
using namespace sono::test;

namespace {

class Buffer : public SonoWindow {
protected:
    void SetUp() override {
        state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(15, 7)); };
        start({record("Alpha", "first", {20000, 12000, 4800, 5000}),
               record("Beta", std::nullopt, {7.83, 10, 0, 500}), record("Gamma", "third", {528})});
    }

    // Shows record k as the record display would, then sends it.
    void send(int k, const QString& freqText) {
        state.database.moveTo(k);
        state.RecordFreqText = freqText;
        main->databaseTab()->sendToBuffer();
    }
    QWidget* openBuffer() {
        main->databaseTab()->viewBuffer();
        return window("Form3");
    }
    QStringList reportLines() const {
        QStringList lines =
            QString::fromUtf8(folder.read(QStringLiteral("freq.txt"))).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), QString()); // the last line is ended too
        return lines;
    }
};

} // namespace

TEST_F(Buffer, AFullBufferRefusesTheSetWithAMessage) {
    for (int i = 0; i < 500; ++i)
        send(2, QStringLiteral(" 528"));
    EXPECT_EQ(platform.beeps, 500);
    send(0, QStringLiteral(" 20000"));
    EXPECT_EQ(platform.beeps, 500);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("full")))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(state.buffer.BufferNext, 501);
    EXPECT_EQ(state.buffer.entries[500].Description, "Gamma");
}

TEST_F(Buffer, ManagementWindowListsDeletesClearsAndStoresTheClearFirstFlag) {
    state.EditorPath = QStringLiteral("/opt/my editor/edit");
    send(0, QStringLiteral(" 20000,  12000,  4800,  5000"));
    send(1, QStringLiteral(" 7.83,  10,  500"));
    send(2, QStringLiteral(" 528"));
    QWidget* form = openBuffer();
    ASSERT_NE(form, nullptr);
    screenshot(form, QStringLiteral("buffer-management"));
    EXPECT_EQ(form->windowTitle(), "Sono - Buffer Management");
    EXPECT_FALSE(main->isEnabled());
    auto* list = child<QListWidget>(form, "List1");
    auto* comments = child<QPlainTextEdit>(form, "Text1");
    auto* freqs = child<QPlainTextEdit>(form, "Text2");
    auto* remove = child(form, "Command4");
    ASSERT_EQ(list->count(), 3);
    EXPECT_FALSE(remove->isEnabled());

    list->setCurrentRow(1);
    EXPECT_EQ(comments->toPlainText(), "No Comment");
    EXPECT_EQ(freqs->toPlainText(), " 7.83,  10,  500");
    remove->click();
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(freqs->toPlainText().isEmpty());
    ASSERT_EQ(list->count(), 2);
    list->setCurrentRow(1);
    EXPECT_EQ(list->item(1)->text(), "Gamma");
    EXPECT_EQ(comments->toPlainText(), "third");
    EXPECT_EQ(freqs->toPlainText(), " 528");
    EXPECT_EQ(state.buffer.entries[2].Freq[0], 528); // entries move up whole
    EXPECT_EQ(state.buffer.BufferNext, 3);
    child(form, "Command7")->click();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(state.buffer.BufferNext, 1);
    EXPECT_TRUE(comments->toPlainText().isEmpty());

    auto* box = child<QCheckBox>(form, "Check1");
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/opt/my editor/edit\"\r\n1\r\n"));
    box->click();
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/opt/my editor/edit\"\r\n0\r\n"));
    box->click();
    child(form, "Command1")->click();
    QApplication::processEvents();
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(window("Form3"), nullptr);

    // With the flag on, each set sent replaces the buffer.
    send(0, QStringLiteral(" 20000"));
    send(2, QStringLiteral(" 528"));
    EXPECT_EQ(state.buffer.BufferNext, 2);
    EXPECT_EQ(state.buffer.entries[1].Description, "Gamma");
}

TEST_F(Buffer, TheFocusAloneSelectsNoLineOnlyTheUsersMoveDoes) {
    send(0, QStringLiteral(" 20000"));
    send(1, QStringLiteral(" 7.83"));
    send(2, QStringLiteral(" 528"));
    QWidget* form = openBuffer();
    ASSERT_NE(form, nullptr);
    auto* list = child<QListWidget>(form, "List1");
    auto* comments = child<QPlainTextEdit>(form, "Text1");
    auto* remove = child(form, "Command4");
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    QWidget* exit = child(form, "Command1");
    exit->setFocus();
    QTest::keyClick(exit, Qt::Key_Tab); // round to the list, which makes its first row current
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(comments->toPlainText().isEmpty());
    EXPECT_TRUE(child<QPlainTextEdit>(form, "Text2")->toPlainText().isEmpty());
    remove->click();
    EXPECT_EQ(state.buffer.BufferNext, 4);

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(comments->toPlainText(), "No Comment");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(comments->toPlainText(), "first");
    ASSERT_TRUE(remove->isEnabled());
    remove->click();
    EXPECT_EQ(state.buffer.BufferNext, 3);
    EXPECT_EQ(state.buffer.entries[1].Description, "Beta");
    EXPECT_FALSE(remove->isEnabled());
}

TEST_F(Buffer, PrintPreviewWritesTheReportStartsTheEditorAndNamesWhatFailed) {
    send(0, QStringLiteral(" 20000,  12000,  4800,  5000"));
    send(1, QStringLiteral(" 7.83,  10,  500"));
    QWidget* form = openBuffer();
    ASSERT_NE(form, nullptr);
    auto* cap = child<QLineEdit>(form, "Text3");
    // The first preview prints each text as it was sent.
    child(form, "Command2")->click();
    const char* header = "Sono12 - build 05.01.16 : Frequency Selection   3:07 pm    5, Dec 2026";
    QStringList expected = {header,
                            " ",
                            "Frequencies are not Capped.",
                            " ",
                            " ",
                            "Alpha",
                            "first",
                            "Frequencies:  20000,  12000,  4800,  5000",
                            " ",
                            "Beta",
                            "No Comment",
                            "Frequencies:  7.83,  10,  500",
                            " "};
    EXPECT_EQ(reportLines(), expected);
    ASSERT_EQ(platform.started.size(), 1);
    EXPECT_EQ(platform.started[0].program, state.EditorPath);
    EXPECT_EQ(platform.started[0].arguments, QStringList({state.filePath(QStringLiteral("freq.txt"))}));
    EXPECT_EQ(platform.started[0].workingFolder, state.AppPath);

    cap->setText(QStringLiteral("5"));
    child(form, "Command2")->click();
    expected[2] = QStringLiteral("Frequencies are Capped at :  5kHz");
    expected[7] = QStringLiteral("Frequencies:  5000,  3000,  4800,  5000");
    expected[11] = QStringLiteral("Frequencies:  7.83,  10");
    EXPECT_EQ(reportLines(), expected);
    // The stored frequencies are back; the texts are in the rebuilt form.
    EXPECT_EQ(state.buffer.entries[1].Freq[0], 20000);
    EXPECT_EQ(state.buffer.entries[2].Freq[3], 500);
    EXPECT_EQ(state.buffer.entries[1].FrequencyText, " 20000,  12000,  4800,  5000");
    EXPECT_EQ(state.buffer.entries[2].FrequencyText, " 7.83,  10");
    EXPECT_TRUE(platform.messages.isEmpty());

    state.EditorPath = QStringLiteral("/no/such/editor");
    platform.startSucceeds = false;
    child(form, "Command2")->click();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("/no/such/editor")));

    QFile::remove(folder.file(QStringLiteral("freq.txt")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("freq.txt"))); // a folder cannot be written
    platform.started.clear();
    child(form, "Command2")->click();
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].text.contains(QStringLiteral("freq.txt")))
        << platform.messages[1].text.toStdString();
    EXPECT_TRUE(platform.started.isEmpty());
    EXPECT_EQ(state.buffer.entries[1].Freq[0], 20000);
}
