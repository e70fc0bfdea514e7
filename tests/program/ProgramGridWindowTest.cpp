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
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

class ProgramGrid : public ::testing::Test {
protected:
    void SetUp() override {
        folder.createDatabase({record("Alpha", "c1", {528})});
        state.folder = AppFolder(folder.path());
        main = startSono(session);
        ASSERT_NE(main, nullptr);
        main->tabs()->setCurrentIndex(1);
        panel = main->programPanel();
        grid = panel->grid();
    }

    // Puts steps into the arrays, labelled 1..n, and shows them as a loaded program would be.
    void load(std::initializer_list<std::pair<float, qint16>> steps) {
        ProgramTable& table = state.program;
        main->ClearArray();
        table.StepCount = 0;
        for (const auto& [freq, time] : steps) {
            const auto k = static_cast<size_t>(++table.StepCount);
            table.StepFreq[k] = freq;
            table.StepTime[k] = time;
            table.StepNo[k] = table.StepCount;
        }
        main->fgArrayToTable();
    }

    QStringList column(int c) const {
        QStringList texts;
        for (int r = 0; r < grid->rowCount(); ++r)
            texts << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        return texts;
    }

    template <class W = QPushButton> W* control(const char* name) const {
        W* w = main->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    void click(const char* name) const { control<QAbstractButton>(name)->click(); }

    // A real mouse click on a cell (row and column counted from 0).
    void clickCell(int row, int col) const {
        grid->scrollToItem(grid->item(row, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, col)).center());
    }
    void type(const QString& text) const {
        auto* box = control<QLineEdit>("Text5");
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
    ProgramGridPanel* panel = nullptr;
    QTableWidget* grid = nullptr;
};

} // namespace

TEST_F(ProgramGrid, LayoutCaptionsAndStartState) {
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "No");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Frequency");
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "Time");
    EXPECT_EQ(label("Label7"), "Change");
    EXPECT_EQ(label("Label6"), "Duration: .0 minutes");
    EXPECT_FALSE(control<QLineEdit>("Text5")->isEnabled());
    EXPECT_FALSE(control<QWidget>("UpDown1")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>("Option1_2")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("Option2_0")->isChecked());
    EXPECT_EQ(control<QRadioButton>("Option2_0")->toolTip(), " Advance change by 1 ");
    EXPECT_EQ(control<QRadioButton>("Option2_1")->toolTip(), " Advance change by 10 ");
    EXPECT_EQ(control("Command8")->toolTip(), " Send Buffer contents to Program Table ");
    EXPECT_EQ(control("Command12_0")->toolTip(), " Insert a frequency in the Program Table ");
    EXPECT_EQ(control("Command13_0")->toolTip(), " Advance all program times by selected x1 or x10 seconds ");
    EXPECT_EQ(control("Command13_1")->toolTip(),
              " Decrease all program times by selected x1 or x10 seconds ");
    EXPECT_EQ(control<QCheckBox>("Check2")->text(), "Remove Duplicate Frequencies");
    auto* timer = panel->findChild<QTimer*>(QStringLiteral("Timer2"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isActive());

    // The widest texts fit their columns.
    load({{25000.5f, -32768}, {7.83f, 32767}});
    const QFontMetrics metrics = grid->fontMetrics();
    EXPECT_GT(grid->columnWidth(1), metrics.horizontalAdvance(QStringLiteral("25000.5")));
    EXPECT_GT(grid->columnWidth(2), metrics.horizontalAdvance(QStringLiteral("-32768")));
    EXPECT_GE(grid->viewport()->width(), grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2));
    screenshot(main, QStringLiteral("program-panel"));
}

TEST_F(ProgramGrid, BufferTurnsEntriesIntoStepsUpToEachFirstEmptySlot) {
    BufferEntry& entry = state.buffer.entries[1];
    entry.Freq = {7.83f, 10, 0, 500};
    state.buffer.BufferNext = 2;
    type(QString()); // nothing selected: typing does nothing
    click("Command8");
    EXPECT_EQ(column(0), QStringList({"1", "2"}));
    EXPECT_EQ(column(1), QStringList({"7.83", "10"}));
    EXPECT_EQ(column(2), QStringList({"180", "180"}));
    EXPECT_EQ(state.program.StepCount, 2);
    EXPECT_EQ(label("Label6"), "Duration: 6.0 minutes");
    EXPECT_EQ(state.buffer.BufferNext, 2); // the buffer stays as it was
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(ProgramGrid, ExactlyTwoThousandStepsShowAndTotalAndMoreAreRefused) {
    ProgramTable& table = state.program;
    table.StepCount = 2000;
    for (size_t i = 1; i <= 2000; ++i) {
        table.StepFreq[i] = static_cast<float>(i);
        table.StepTime[i] = 60;
        table.StepNo[i] = static_cast<qint16>(i);
    }
    main->fgArrayToTable();
    EXPECT_EQ(grid->rowCount(), 2000);
    EXPECT_EQ(grid->item(1999, 1)->text(), "2000");
    EXPECT_EQ(label("Label6"), "Duration: 2000.0 minutes");

    table.StepCount = 2001;
    main->fgArrayToTable();
    EXPECT_EQ(platform.messageTexts(), QStringList({"Too may frequencies, 2000 limit"}));
    EXPECT_EQ(platform.messages.first().title, "Sono12");
    EXPECT_EQ(grid->rowCount(), 2000);
    EXPECT_EQ(label("Label6"), "Duration: 2000.0 minutes");
    table.StepCount = 2000;

    // A buffer of 2001 frequencies gives the first 2000 and says so.
    platform.messages.clear();
    for (int e = 1; e <= 51; ++e)
        state.buffer.entries[static_cast<size_t>(e)].Freq.fill(static_cast<float>(e));
    state.buffer.BufferNext = 52;
    click("Command8");
    EXPECT_EQ(grid->rowCount(), 2000);
    EXPECT_EQ(platform.messageTexts(), QStringList({"Too may frequencies, 2000 limit"}));
    EXPECT_EQ(grid->item(1999, 1)->text(), "50");

    // Insert into the full table changes nothing.
    platform.messages.clear();
    click("Command12_0");
    auto* insert = main->windows().find(QStringLiteral("frmInsertFreq"));
    ASSERT_NE(insert, nullptr);
    insert->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("5"));
    insert->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("5"));
    insert->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(platform.messageTexts(), QStringList({"Too may frequencies, 2000 limit"}));
    EXPECT_EQ(grid->rowCount(), 2000);
    EXPECT_EQ(state.program.StepCount, 2000);
}

TEST_F(ProgramGrid, ClickingCellsTypingAndTheSpinner) {
    std::vector<std::pair<float, qint16>> steps;
    load({{1, 60},
          {2, 60},
          {3, 61},
          {4, 0},
          {5, 0},
          {6, 0},
          {7, 0},
          {8, 0},
          {9, 0},
          {10, 0},
          {11, 0},
          {12, 45}});
    EXPECT_EQ(label("Label6"), "Duration: 3.8 minutes");
    clickCell(11, 2);
    EXPECT_EQ(label("Label7"), " 12 Time");
    screenshot(panel, QStringLiteral("program-panel-editing"));
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "45");
    EXPECT_TRUE(control<QLineEdit>("Text5")->isEnabled());
    EXPECT_TRUE(control("Command12_1")->isEnabled());
    type(QStringLiteral("300"));
    EXPECT_EQ(state.program.StepTime[12], 300);
    EXPECT_EQ(grid->item(11, 2)->text(), "300");
    EXPECT_EQ(label("Label6"), "Duration: 8.0 minutes");
    type(QStringLiteral("2.5"));
    EXPECT_EQ(state.program.StepTime[12], 2);
    type(QStringLiteral("3.5"));
    EXPECT_EQ(state.program.StepTime[12], 4);
    type(QStringLiteral("40000"));
    EXPECT_EQ(state.program.StepTime[12], 32767);
    EXPECT_EQ(grid->item(11, 2)->text(), "40000"); // typed text stays until the next redraw

    // The spinner steps by 1 or 10 and stops at the end of the range.
    type(QStringLiteral("32760"));
    click("Option2_1");
    click("UpDown1_up");
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "32767");
    EXPECT_EQ(state.program.StepTime[12], 32767);
    click("Option2_0");
    click("UpDown1_down");
    EXPECT_EQ(grid->item(11, 2)->text(), "32766");

    // A click on the "No" column edits that step's frequency; typed text is kept in the cell.
    clickCell(2, 0);
    EXPECT_EQ(label("Label7"), " 3 Freq");
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "3");
    EXPECT_EQ(state.program.StepTime[3], 61); // the click itself changes nothing
    type(QStringLiteral("12.50"));
    EXPECT_EQ(grid->item(2, 1)->text(), "12.50");
    EXPECT_FLOAT_EQ(state.program.StepFreq[3], 12.5f);
    type(QStringLiteral("abc"));
    EXPECT_EQ(state.program.StepFreq[3], 0.0f);

    // Enter on a cell selects it as a click does.
    grid->setCurrentCell(0, 2);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(label("Label7"), " 1 Time");
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "60");

    // The header beeps.
    const int beeps = platform.beeps;
    grid->horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(platform.beeps, beeps + 1);
}

TEST_F(ProgramGrid, InsertBeforeAfterAndIntoAnEmptyTable) {
    auto insertAt = [&](int row, const char* option, const QString& freq, const QString& time) {
        clickCell(row, 1);
        click("Command12_0");
        QWidget* window = main->windows().find(QStringLiteral("frmInsertFreq"));
        EXPECT_NE(window, nullptr);
        if (!window) return QString();
        const QString shown = window->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        if (option) window->findChild<QRadioButton*>(QString::fromLatin1(option))->click();
        window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(freq);
        window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(time);
        window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        return shown;
    };
    load({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}});
    EXPECT_EQ(insertAt(2, "Option1_1", "99", "9"), "3 Hz");
    EXPECT_EQ(column(1), QStringList({"1", "2", "3", "99", "4", "5"}));
    EXPECT_EQ(column(0), QStringList({"1", "2", "3", "4", "5", "6"}));
    QApplication::processEvents();
    EXPECT_EQ(main->windows().find(QStringLiteral("frmInsertFreq")), nullptr);

    load({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}});
    insertAt(2, "Option1_0", "99", "9");
    EXPECT_EQ(column(1), QStringList({"1", "2", "99", "3", "4", "5"}));
    EXPECT_EQ(column(2), QStringList({"1", "2", "9", "3", "4", "5"}));

    // Missing or non-numeric input is refused; the window stays and nothing changes.
    load({{1, 1}, {2, 2}});
    insertAt(0, "Option1_1", "", "9");
    insertAt(0, "Option1_1", "12Hz", "9");
    insertAt(0, "Option1_1", "12", "ten");
    ASSERT_EQ(platform.messages.size(), 3);
    EXPECT_EQ(platform.messages[0].text, "Both Frequency and Time inputs require data!");
    EXPECT_EQ(platform.messages[0].title, "Sono12");
    EXPECT_EQ(column(1), QStringList({"1", "2"}));
    EXPECT_NE(main->windows().find(QStringLiteral("frmInsertFreq")), nullptr);

    click("Command11");
    EXPECT_EQ(grid->rowCount(), 0);
    click("Command12_0");
    QWidget* window = main->windows().find(QStringLiteral("frmInsertFreq"));
    ASSERT_NE(window, nullptr);
    screenshot(window, QStringLiteral("insert-window"));
    EXPECT_EQ(window->windowTitle(), "Sono Insert Frequency");
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label1"))->text(), "New Program.");
    EXPECT_FALSE(window->findChild<QRadioButton*>(QStringLiteral("Option1_0"))->isEnabled());
    EXPECT_FALSE(window->findChild<QRadioButton*>(QStringLiteral("Option1_1"))->isEnabled());
    window->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("7.83"));
    window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("60"));
    window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(column(1), QStringList({"7.83"}));
    EXPECT_EQ(label("Label6"), "Duration: 1.0 minutes");
}

TEST_F(ProgramGrid, DeleteClearAndShiftingTimes) {
    load({{100, 180}, {200, 5}, {300, 7}});
    clickCell(2, 1);
    click("Command12_1");
    EXPECT_EQ(column(1), QStringList({"100", "200"}));
    EXPECT_EQ(column(2), QStringList({"180", "5"}));
    EXPECT_FALSE(control("Command12_1")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("Text5")->isEnabled());

    click("Option2_1");
    click("Command13_0");
    EXPECT_EQ(column(2), QStringList({"190", "15"}));
    click("Command13_1");
    click("Command13_1");
    EXPECT_EQ(column(2), QStringList({"170", "-5"}));
    click("Option2_0");
    click("Command13_0");
    EXPECT_EQ(column(2), QStringList({"171", "-4"}));

    load({{100, 32767}, {200, -32768}});
    click("Command13_0");
    click("Command13_1");
    click("Command13_1");
    EXPECT_EQ(column(2), QStringList({"32765", "-32768"}));

    clickCell(0, 1);
    click("Command11");
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(state.program.StepCount, 0);
    EXPECT_EQ(label("Label6"), "Duration: .0 minutes");
    EXPECT_EQ(label("Label7"), "Change");
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("Text5")->isEnabled());
}

TEST_F(ProgramGrid, SortingKeepsLabelsWithTheirRowsAndNoSortRestores) {
    load({{100, 1}, {7.83f, 2}, {2000, 3}});
    click("Option1_1");
    EXPECT_EQ(column(1), QStringList({"2000", "100", "7.83"}));
    EXPECT_EQ(column(0), QStringList({"3", "1", "2"}));
    EXPECT_EQ(column(2), QStringList({"3", "1", "2"}));
    EXPECT_EQ(state.generator.SortMode, 1);
    EXPECT_EQ(state.program.StepFreq[1], 2000); // the arrays follow the grid
    click("Option1_0");
    EXPECT_EQ(column(1), QStringList({"7.83", "100", "2000"}));
    click("Option1_2");
    EXPECT_EQ(column(1), QStringList({"100", "7.83", "2000"}));
    EXPECT_EQ(column(0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(state.generator.SortMode, 2);

    // After a sort and a redraw the current order is the entry order.
    click("Option1_1");
    main->DisplayGrid();
    EXPECT_EQ(column(0), QStringList({"1", "2", "3"}));
    click("Option1_2");
    EXPECT_EQ(column(1), QStringList({"2000", "100", "7.83"}));
}

TEST_F(ProgramGrid, ApplyCapsRemovesDuplicatesAndReports) {
    load({{25000, 1}, {10000, 2}, {10001, 3}});
    control<QLineEdit>("Text6")->setText(QStringLiteral("10"));
    click("Command9");
    EXPECT_EQ(column(1), QStringList({"6250", "10000", "5000.5"}));
    QWidget* report = main->windows().find(QStringLiteral("Form9"));
    ASSERT_NE(report, nullptr);
    screenshot(report, QStringLiteral("apply-report"));
    EXPECT_EQ(report->windowTitle(), "Sono");
    EXPECT_EQ(report->findChild<QLabel*>(QStringLiteral("Label3"))->text(), "Duplicate and Cap Report");
    EXPECT_EQ(report->findChild<QLabel*>(QStringLiteral("Label1"))->text(), " 0 Duplicates found.");
    EXPECT_EQ(report->findChild<QLabel*>(QStringLiteral("Label2"))->text(), " 2 Frequencies Capped.");
    auto* capped = report->findChild<QListWidget*>(QStringLiteral("List2"));
    ASSERT_EQ(capped->count(), 2);
    EXPECT_EQ(capped->item(0)->text(), " 25000");
    EXPECT_EQ(capped->item(1)->text(), " 10001");

    // Typed cells are read back first; every later copy goes; the same window is refilled.
    load({{100, 1}, {100, 2}, {200, 3}, {100, 4}});
    clickCell(2, 1);
    type(QStringLiteral("100"));
    control<QLineEdit>("Text6")->clear();
    click("Check2");
    click("Command9");
    EXPECT_EQ(column(1), QStringList({"100"}));
    EXPECT_EQ(column(2), QStringList({"1"}));
    EXPECT_EQ(column(0), QStringList({"1"}));
    EXPECT_EQ(main->windows().find(QStringLiteral("Form9")), report);
    EXPECT_EQ(report->findChild<QLabel*>(QStringLiteral("Label1"))->text(), " 3 Duplicates found.");
    EXPECT_EQ(report->findChild<QLabel*>(QStringLiteral("Label2"))->text(), " 0 Frequencies Capped.");
    EXPECT_EQ(report->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 3);
    EXPECT_EQ(label("Label6"), "Duration: .0 minutes");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(ProgramGrid, ApplyRefusesABadCapAndIgnoresASingleStep) {
    load({{25000, 1}, {25000, 2}});
    control<QLineEdit>("Text6")->setText(QStringLiteral("abc"));
    click("Check2");
    click("Command9");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].title, "Sono11 - Cap Value Error");
    EXPECT_TRUE(platform.messages[0].text.startsWith(
        QStringLiteral("You have chosen to 'Cap' frequencies.\n\nEnter a Cap value greater than 1 (1kHz)")));
    EXPECT_EQ(column(1), QStringList({"25000", "25000"}));
    EXPECT_EQ(main->windows().find(QStringLiteral("Form9")), nullptr);

    load({{25000, 1}});
    control<QLineEdit>("Text6")->setText(QStringLiteral("10"));
    click("Command9");
    EXPECT_EQ(column(1), QStringList({"25000"}));
    EXPECT_EQ(main->windows().find(QStringLiteral("Form9")), nullptr);
    EXPECT_EQ(platform.messages.size(), 1);
}

TEST_F(ProgramGrid, TimerEnablesRunAndApplyOnlyWhileTheTableHasSteps) {
    auto* run = main->findChild<QPushButton*>(QStringLiteral("Command16"));
    if (!run) {
        run = new QPushButton(QStringLiteral("Run"), panel->parentWidget());
        run->setObjectName(QStringLiteral("Command16"));
    }
    load({{100, 1}});
    panel->updateRunAndApply();
    EXPECT_TRUE(run->isEnabled());
    EXPECT_TRUE(control("Command9")->isEnabled());
    click("Command11");
    panel->updateRunAndApply();
    EXPECT_FALSE(run->isEnabled());
    EXPECT_FALSE(control("Command9")->isEnabled());
}
