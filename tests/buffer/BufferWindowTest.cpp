#include "app/AppState.h"
#include "program/ProgramGridPanel.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/TestFolder.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

class Buffer : public ::testing::Test {
protected:
    void SetUp() override {
        folder.createDatabase({record("Alpha", "first", {20000, 12000, 4800, 5000}),
                               record("Beta", std::nullopt, {7.83, 10, 0, 500}),
                               record("Gamma", "third", {528})});
        state.folder = AppFolder(folder.path());
        state.now = [] { return QDateTime(QDate(2026, 12, 5), QTime(15, 7)); };
        main = startSono(session);
        ASSERT_NE(main, nullptr);
        panel = main->programPanel();
    }

    // Shows record k as the record display would, then sends it.
    void send(int k, const QString& freqText) {
        state.database.moveTo(k);
        state.RecordFreqText = freqText;
        panel->sendToBuffer();
    }

    QWidget* openBuffer() {
        panel->viewBuffer();
        return main->windows().find(QStringLiteral("Form3"));
    }

    template <class W = QPushButton> static W* control(QWidget* window, const char* name) {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QStringList reportLines() const {
        QStringList lines =
            QString::fromUtf8(folder.read(QStringLiteral("freq.txt"))).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.last(), QString()); // the last line is ended too
        lines.removeLast();
        return lines;
    }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
    ProgramGridPanel* panel = nullptr;
};

const QString header =
    QStringLiteral("Sono12 - build 05.01.16 : Frequency Selection   3:07 pm    5, Dec 2026");

} // namespace

TEST_F(Buffer, SendBeepsAndTheBufferFillsTheProgramTable) {
    send(1, QStringLiteral(" 7.83,  10,  500"));
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(state.buffer.BufferNext, 2);
    EXPECT_EQ(state.buffer.entries[1].Description, "Beta");
    EXPECT_EQ(state.buffer.entries[1].Comments, "No Comment");
    EXPECT_EQ(state.buffer.entries[1].FrequencyText, " 7.83,  10,  500");
    main->findChild<QPushButton*>(QStringLiteral("Command8"))->click();
    EXPECT_EQ(state.program.StepCount, 2); // 7.83 and 10: the empty slot ends the set
    EXPECT_EQ(panel->grid()->item(1, 1)->text(), "10");
}

TEST_F(Buffer, AFullBufferRefusesTheSetWithAMessage) {
    for (int i = 0; i < 500; ++i)
        send(2, QStringLiteral(" 528"));
    ASSERT_EQ(state.buffer.BufferNext, 501);
    EXPECT_EQ(platform.beeps, 500);
    send(0, QStringLiteral(" 20000"));
    EXPECT_EQ(platform.beeps, 500);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("full")))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(state.buffer.BufferNext, 501);
    EXPECT_EQ(state.buffer.entries[500].Description, "Gamma");
}

TEST_F(Buffer, ManagementWindowListsDeletesAndClears) {
    send(0, QStringLiteral(" 20000,  12000,  4800,  5000"));
    send(1, QStringLiteral(" 7.83,  10,  500"));
    send(2, QStringLiteral(" 528"));
    QWidget* window = openBuffer();
    ASSERT_NE(window, nullptr);
    screenshot(window, QStringLiteral("buffer-management"));
    EXPECT_EQ(window->windowTitle(), "Sono - Buffer Management");
    EXPECT_FALSE(main->isEnabled());
    auto* list = control<QListWidget>(window, "List1");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "Gamma");
    auto* remove = control(window, "Command4");
    EXPECT_FALSE(remove->isEnabled());

    list->setCurrentRow(1);
    EXPECT_EQ(control<QPlainTextEdit>(window, "Text1")->toPlainText(), "No Comment");
    EXPECT_EQ(control<QPlainTextEdit>(window, "Text2")->toPlainText(), " 7.83,  10,  500");
    EXPECT_TRUE(remove->isEnabled());
    remove->click();
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(control<QPlainTextEdit>(window, "Text2")->toPlainText().isEmpty());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "Gamma");
    list->setCurrentRow(1);
    EXPECT_EQ(control<QPlainTextEdit>(window, "Text1")->toPlainText(), "third");
    EXPECT_EQ(control<QPlainTextEdit>(window, "Text2")->toPlainText(), " 528");
    EXPECT_EQ(state.buffer.BufferNext, 3);

    control(window, "Command7")->click();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(state.buffer.BufferNext, 1);
    EXPECT_TRUE(control<QPlainTextEdit>(window, "Text1")->toPlainText().isEmpty());

    control(window, "Command1")->click();
    QApplication::processEvents();
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(main->windows().find(QStringLiteral("Form3")), nullptr);
}

TEST_F(Buffer, CheckBoxRewritesTheSettingsFile) {
    state.EditorPath = QStringLiteral("/opt/my editor/edit");
    QWidget* window = openBuffer();
    ASSERT_NE(window, nullptr);
    auto* box = control<QCheckBox>(window, "Check1");
    EXPECT_EQ(box->text(), "Clear buffer prior to it receiving a new frequency set.");
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_EQ(state.ClearBufferFirst, 1);
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/opt/my editor/edit\"\r\n1\r\n"));
    box->click();
    EXPECT_EQ(state.ClearBufferFirst, 0);
    EXPECT_EQ(folder.read(QStringLiteral("sono.ini")), QByteArray("\"/opt/my editor/edit\"\r\n0\r\n"));

    // With the flag on, each set sent replaces the buffer.
    box->click();
    window->close();
    QApplication::processEvents();
    send(0, QStringLiteral(" 20000"));
    send(2, QStringLiteral(" 528"));
    EXPECT_EQ(state.buffer.BufferNext, 2);
    EXPECT_EQ(state.buffer.entries[1].Description, "Gamma");
}

TEST_F(Buffer, PrintPreviewWritesTheReportAndStartsTheEditor) {
    send(0, QStringLiteral(" 20000,  12000,  4800,  5000"));
    send(1, QStringLiteral(" 7.83,  10,  500"));
    QWidget* window = openBuffer();
    ASSERT_NE(window, nullptr);
    auto* cap = control<QLineEdit>(window, "Text3");
    EXPECT_TRUE(cap->text().isEmpty());
    cap->setText(QStringLiteral("5"));
    control(window, "Command2")->click();
    EXPECT_EQ(reportLines(), QStringList({header, " ", "Frequencies are Capped at :  5kHz", " ", " ", "Alpha",
                                          "first", "Frequencies:  5000,  3000,  4800,  5000", " ", "Beta",
                                          "No Comment", "Frequencies:  7.83,  10", " "}));
    ASSERT_EQ(platform.started.size(), 1);
    EXPECT_EQ(platform.started[0].program, state.EditorPath);
    EXPECT_EQ(platform.started[0].arguments, QStringList({state.filePath(QStringLiteral("freq.txt"))}));
    EXPECT_EQ(platform.started[0].workingFolder, state.AppPath);
    // The stored frequencies are back; the texts are in the rebuilt form.
    EXPECT_EQ(state.buffer.entries[1].Freq[0], 20000);
    EXPECT_EQ(state.buffer.entries[1].FrequencyText, " 20000,  12000,  4800,  5000");
    EXPECT_EQ(state.buffer.entries[2].FrequencyText, " 7.83,  10");

    cap->setText(QStringLiteral("-3"));
    control(window, "Command2")->click();
    EXPECT_EQ(reportLines(), QStringList({header, " ", "Frequencies are not Capped.", " ", " ", "Alpha",
                                          "first", "Frequencies:  20000,  12000,  4800,  5000", " ", "Beta",
                                          "No Comment", "Frequencies:  7.83,  10", " "}));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(Buffer, PrintPreviewFailuresNameTheFileOrTheEditor) {
    send(2, QStringLiteral(" 528"));
    QWidget* window = openBuffer();
    ASSERT_NE(window, nullptr);
    state.EditorPath = QStringLiteral("/no/such/editor");
    platform.startSucceeds = false;
    control(window, "Command2")->click();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("/no/such/editor")));
    EXPECT_TRUE(folder.exists(QStringLiteral("freq.txt")));

    QFile::remove(folder.file(QStringLiteral("freq.txt")));
    ASSERT_TRUE(
        QDir(folder.path()).mkdir(QStringLiteral("freq.txt"))); // a folder cannot be written as a file
    platform.started.clear();
    control(window, "Command2")->click();
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(platform.messages[1].text.contains(QStringLiteral("freq.txt")))
        << platform.messages[1].text.toStdString();
    EXPECT_TRUE(platform.started.isEmpty());
    EXPECT_EQ(state.buffer.entries[1].Freq[0], 528);
}
