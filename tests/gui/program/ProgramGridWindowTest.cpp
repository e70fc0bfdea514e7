#include "core/generator/ProgramFile.h"
#include "core/program/CapAndDuplicates.h"
#include "support/SonoWindowFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace sono;
using namespace sono::test;

namespace {

class ProgramGrid : public SonoWindow {
protected:
    void SetUp() override {
        start({record("Alpha", "c1", {528})});
        main->tabs()->setCurrentIndex(1);
    }

    // Loads steps labelled 1..n (time k unless given), as a program file would.
    void load(std::vector<float> freqs, std::vector<qint16> times = {}) {
        std::vector<ProgramStep> steps;
        for (size_t k = 1; k <= freqs.size(); ++k)
            steps.push_back({static_cast<qint16>(k), freqs[k - 1],
                             times.empty() ? static_cast<qint16>(k) : times[k - 1]});
        state.program.load(steps, state.generator.SortMode);
    }

    QStringList column(int c) const { return rows(grid, c); }

    // A real mouse click on a cell (row and column counted from 0).
    void clickCell(int row, int col) const {
        grid->scrollToItem(grid->item(row, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, col)).center());
    }
    // The window and the grid take the keyboard focus, as they do for a user on a real display.
    void focusGrid() const {
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        grid->setFocus();
        ASSERT_TRUE(grid->hasFocus());
    }
    // A real key press on the widget that has the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void type(const QString& text) const {
        auto* box = control<QLineEdit>("Text5");
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // Opens the Insert window and presses OK with these texts; returns what its caption showed.
    QString insert(const char* option, const QString& freq, const QString& time) const {
        click("Command12_0");
        QWidget* w = window("frmInsertFreq");
        if (!w) return QStringLiteral("no window");
        const QString shown = child<QLabel>(w, "Label1")->text();
        if (option) child<QRadioButton>(w, option)->click();
        child<QLineEdit>(w, "Text1")->setText(freq);
        child<QLineEdit>(w, "Text2")->setText(time);
        child(w, "Command1")->click();
        return shown;
    }
};

} // namespace

TEST_F(ProgramGrid, LayoutCaptionsAndStartState) {
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), QStringList({"No", "Frequency", "Time"})[c]);
    EXPECT_FALSE(control<QWidget>("UpDown1")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>("Option1_2")->isChecked());
    auto* timer = child<QTimer>(panel, "Timer2");
    EXPECT_TRUE(timer && timer->isActive() && timer->interval() == 1000);

    // The widest texts fit their columns.
    load({25000.5f, 7.83f}, {-32768, 32767});
    const QFontMetrics metrics = grid->fontMetrics();
    EXPECT_GT(grid->columnWidth(1), metrics.horizontalAdvance(QStringLiteral("25000.5")));
    EXPECT_GT(grid->columnWidth(2), metrics.horizontalAdvance(QStringLiteral("-32768")));
    EXPECT_GE(grid->viewport()->width(), grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2));
    screenshot(main, QStringLiteral("program-panel"));
}

TEST_F(ProgramGrid, BufferGivesStepsUpToEachGapAndAtMostTwoThousand) {
    state.buffer.entries[1].Freq = {7.83f, 10, 0, 500};
    state.buffer.BufferNext = 2;
    type(QString()); // nothing selected: typing does nothing
    click("Command8");
    EXPECT_EQ(column(1), QStringList({"7.83", "10"}));
    EXPECT_EQ(column(2), QStringList({"180", "180"}));
    EXPECT_EQ(label("Label6"), "Duration: 6.0 minutes");
    EXPECT_EQ(state.buffer.BufferNext, 2); // the buffer stays as it was

    // 50 full entries are exactly 2000 steps; they show and total without a message.
    for (int e = 1; e <= 51; ++e)
        state.buffer.entries[static_cast<size_t>(e)].Freq.fill(static_cast<float>(e));
    state.buffer.BufferNext = 51;
    click("Command8");
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(grid->item(1999, 1)->text(), "50");
    EXPECT_EQ(label("Label6"), "Duration: 6000.0 minutes");

    // One entry more gives the first 2000 and says so; Insert into the full table changes nothing.
    state.buffer.BufferNext = 52;
    click("Command8");
    EXPECT_EQ(state.program.table().StepCount, 2000);
    insert(nullptr, QStringLiteral("5"), QStringLiteral("5"));
    EXPECT_EQ(platform.messageTexts(), QStringList(2, QStringLiteral("Too may frequencies, 2000 limit")));
    EXPECT_EQ(platform.messages.first().title, "Sono12");
    EXPECT_EQ(grid->rowCount(), 2000);
}

TEST_F(ProgramGrid, ClickingCellsTypingAndTheSpinner) {
    load({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {60, 60, 61, 0, 0, 0, 0, 0, 0, 0, 0, 45});
    EXPECT_EQ(label("Label6"), "Duration: 3.8 minutes");
    clickCell(11, 2);
    EXPECT_EQ(label("Label7"), " 12 Time");
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "45");
    type(QStringLiteral("300"));
    EXPECT_EQ(label("Label6"), "Duration: 8.0 minutes");
    type(QStringLiteral("40000"));
    EXPECT_EQ(state.program.table().StepTime[12], 32767);
    // The cell shows the time that is kept, and the user is told the range.
    EXPECT_EQ(grid->item(11, 2)->text(), "32767");
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "32767");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("-32768 to 32767"))
        << platform.messages[0].text.toStdString();

    // The spinner steps by 1 or 10 and stops at the end of the range.
    type(QStringLiteral("32760"));
    click("Option2_1");
    click("UpDown1_up");
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "32767");
    EXPECT_EQ(state.program.table().StepTime[12], 32767);
    click("Option2_0");
    click("UpDown1_down");
    EXPECT_EQ(grid->item(11, 2)->text(), "32766");

    // A click on the "No" column edits that step's frequency.
    clickCell(2, 0);
    EXPECT_EQ(label("Label7"), " 3 Freq");
    type(QStringLiteral("1e39")); // beyond single precision: kept as 0
    EXPECT_EQ(grid->item(2, 1)->text(), "0");
    EXPECT_EQ(platform.messages.size(), 2);
    type(QStringLiteral("12.50"));
    EXPECT_EQ(grid->item(2, 1)->text(), "12.50");
    EXPECT_FLOAT_EQ(state.program.table().StepFreq[3], 12.5f);

    // Enter on a cell selects it as a click does.
    grid->setCurrentCell(0, 2);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "60");
}

TEST_F(ProgramGrid, ChangeBoxAndDeleteFollowTheCurrentCellOnKeyboardMoves) {
    load({100, 200, 300, 400, 500}, {10, 20, 30, 40, 50});
    focusGrid();
    clickCell(2, 1);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(label("Label7"), " 5 Freq");
    EXPECT_EQ(control<QLineEdit>("Text5")->text(), "500");
    click("Command12_1");
    EXPECT_EQ(column(1), QStringList({"100", "200", "300", "400"}));

    clickCell(0, 2);
    press(Qt::Key_Down);
    auto* box = control<QLineEdit>("Text5");
    box->setFocus();
    box->selectAll();
    press(Qt::Key_7);
    press(Qt::Key_7);
    EXPECT_EQ(column(2), QStringList({"10", "77", "30", "40"}));
    EXPECT_EQ(state.program.table().StepTime[2], 77);

    // Up and Down in the change box step it as the spinner does.
    press(Qt::Key_Up);
    click("Option2_1");
    press(Qt::Key_Down);
    EXPECT_EQ(box->text(), "68");
    EXPECT_EQ(column(2), QStringList({"10", "68", "30", "40"}));
    EXPECT_EQ(state.program.table().StepTime[2], 68);

    // Tab, Shift+Tab, Home, End and the page keys carry the caption and value along, past the "No" column.
    grid->setFocus();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Tab, {}},      {Qt::Key_Backtab, {}},
        {Qt::Key_Backtab, {}},  {Qt::Key_Backtab, {}},
        {Qt::Key_End, {}},      {Qt::Key_Home, {}},
        {Qt::Key_PageDown, {}}, {Qt::Key_Left, {}},
        {Qt::Key_PageUp, {}},   {Qt::Key_End, Qt::ControlModifier}};
    QStringList shown;
    for (const auto& [key, modifiers] : keys) {
        press(key, modifiers);
        shown << label("Label7") + " = " + box->text();
    }
    EXPECT_EQ(shown, QStringList({" 3 Freq = 300", " 2 Time = 68", " 2 Freq = 200", " 1 Time = 10",
                                  " 1 Time = 10", " 1 Freq = 100", " 4 Freq = 400", " 4 Freq = 400",
                                  " 1 Freq = 100", " 4 Time = 40"}));
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->selectedItems(), QList<QTableWidgetItem*>({grid->item(3, 2)}));
    EXPECT_EQ(insert("Option1_1", "450", "45"), "400 Hz");
    EXPECT_FALSE(box->isEnabled());
    grid->setFocus();
    press(Qt::Key_Up);
    click("Command12_1");
    EXPECT_EQ(column(1), QStringList({"100", "200", "400", "450"}));
    EXPECT_FALSE(box->isEnabled());
}

TEST_F(ProgramGrid, InsertBeforeAfterAndIntoAnEmptyTable) {
    load({1, 2, 3, 4, 5});
    clickCell(2, 1);
    EXPECT_EQ(insert("Option1_1", "99", "9"), "3 Hz");
    EXPECT_EQ(column(1), QStringList({"1", "2", "3", "99", "4", "5"}));
    EXPECT_EQ(column(0), QStringList({"1", "2", "3", "4", "5", "6"}));
    QApplication::processEvents();
    EXPECT_EQ(window("frmInsertFreq"), nullptr);
    clickCell(2, 1);
    insert("Option1_0", "77", "7");
    EXPECT_EQ(column(2), QStringList({"1", "2", "7", "3", "9", "4", "5"}));

    // Missing or non-numeric input is refused; the window stays and nothing changes.
    insert("Option1_1", "", "9");
    insert("Option1_1", "12Hz", "9");
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(platform.messages[0].text, "Both Frequency and Time inputs require data!");
    EXPECT_EQ(platform.messages[0].title, "Sono12");
    EXPECT_EQ(grid->rowCount(), 7);
    EXPECT_NE(window("frmInsertFreq"), nullptr);

    click("Command11");
    click("Command12_0");
    QWidget* w = window("frmInsertFreq");
    ASSERT_NE(w, nullptr);
    screenshot(w, QStringLiteral("insert-window"));
    EXPECT_EQ(w->windowTitle(), "Sono Insert Frequency");
    EXPECT_FALSE(child<QRadioButton>(w, "Option1_0")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(w, "Option1_1")->isEnabled());
    EXPECT_EQ(insert(nullptr, "7.83", "60"), "New Program.");
    EXPECT_EQ(column(1), QStringList({"7.83"}));
    EXPECT_EQ(label("Label6"), "Duration: 1.0 minutes");
}

TEST_F(ProgramGrid, DeleteShiftTimesClearAndRunApplyEnabling) {
    load({100, 200, 300}, {180, 7, 5});
    clickCell(1, 1);
    click("Command12_1");
    EXPECT_EQ(column(1), QStringList({"100", "300"}));
    EXPECT_FALSE(control<QLineEdit>("Text5")->isEnabled());
    click("Option2_1");
    click("Command13_0");
    EXPECT_EQ(column(2), QStringList({"190", "15"}));

    load({100, 200}, {32767, -32768});
    click("Command13_0");
    click("Command13_1");
    click("Command13_1");
    EXPECT_EQ(column(2), QStringList({"32747", "-32768"}));

    auto* run = control("Command16");
    ASSERT_NE(run, nullptr);
    EXPECT_TRUE(run->isEnabled() && control("Command9")->isEnabled());
    clickCell(0, 1);
    click("Command11");
    EXPECT_EQ(grid->rowCount(), 0);
    EXPECT_EQ(label("Label6"), "Duration: .0 minutes");
    EXPECT_EQ(label("Label7"), "Change");
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_FALSE(run->isEnabled());
    EXPECT_FALSE(control("Command9")->isEnabled());
}

TEST_F(ProgramGrid, SortingKeepsLabelsWithTheirRowsAndNoSortRestores) {
    load({100, 7.83f, 2000});
    click("Option1_1");
    EXPECT_EQ(column(1), QStringList({"2000", "100", "7.83"}));
    EXPECT_EQ(column(0), QStringList({"3", "1", "2"}));
    EXPECT_EQ(state.generator.SortMode, 1);
    EXPECT_EQ(state.program.table().StepFreq[1], 2000); // the arrays follow the grid
    click("Option1_0");
    EXPECT_EQ(column(1), QStringList({"7.83", "100", "2000"}));
    click("Option1_2");
    EXPECT_EQ(column(1), QStringList({"100", "7.83", "2000"}));
    EXPECT_EQ(column(0), QStringList({"1", "2", "3"}));
    EXPECT_EQ(state.generator.SortMode, 2);

    // After a sort and a redraw the current order is the entry order.
    click("Option1_1");
    click("Command13_0");
    click("Command13_1");
    click("Option1_2");
    EXPECT_EQ(column(1), QStringList({"2000", "100", "7.83"}));
}

TEST_F(ProgramGrid, ApplyRefusesABadCapThenCapsRemovesDuplicatesAndReports) {
    load({25000, 25000});
    control<QLineEdit>("Text6")->setText(QStringLiteral("abc"));
    click("Check2");
    click("Command9");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].title, "Sono11 - Cap Value Error");
    EXPECT_EQ(platform.messages[0].text, CapValueErrorText);
    EXPECT_EQ(column(1), QStringList({"25000", "25000"}));
    load({25000}); // a single step is left alone
    control<QLineEdit>("Text6")->setText(QStringLiteral("10"));
    click("Command9");
    EXPECT_EQ(column(1), QStringList({"25000"}));
    EXPECT_EQ(window("Form9"), nullptr);

    click("Check2");
    load({25000, 10000, 10001});
    click("Command9");
    EXPECT_EQ(column(1), QStringList({"6250", "10000", "5000.5"}));
    QWidget* report = window("Form9");
    ASSERT_NE(report, nullptr);
    screenshot(report, QStringLiteral("apply-report"));
    EXPECT_EQ(report->windowTitle(), "Sono");
    EXPECT_EQ(child<QLabel>(report, "Label3")->text(), "Duplicate and Cap Report");
    EXPECT_EQ(child<QLabel>(report, "Label1")->text(), " 0 Duplicates found.");
    EXPECT_EQ(child<QLabel>(report, "Label2")->text(), " 2 Frequencies Capped.");
    auto* capped = child<QListWidget>(report, "List2");
    ASSERT_EQ(capped->count(), 2);
    EXPECT_EQ(capped->item(1)->text(), " 10001");

    // Typed cells are read back first; every later copy goes; the same window is refilled.
    load({100, 100, 200, 100});
    clickCell(2, 1);
    type(QStringLiteral("100"));
    control<QLineEdit>("Text6")->clear();
    click("Check2");
    click("Command9");
    EXPECT_EQ(column(2), QStringList({"1"}));
    EXPECT_EQ(window("Form9"), report);
    EXPECT_EQ(child<QLabel>(report, "Label1")->text(), " 3 Duplicates found.");
    EXPECT_EQ(child<QLabel>(report, "Label2")->text(), " 0 Frequencies Capped.");
    EXPECT_EQ(child<QListWidget>(report, "List1")->count(), 3);
    EXPECT_EQ(platform.messages.size(), 1);
}
