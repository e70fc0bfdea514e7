#include "core/generator/ProgramFile.h"
#include "core/program/CapAndDuplicates.h"
#include "gui/program/ProgramGridPanel.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace sono;
using namespace sono::test;

namespace {

// The program grid panel alone, shown and active as on a desktop.
class ProgramGrid : public ::testing::Test, public WindowServices {
protected:
    ProgramGrid() {
        panel.setupGrid();
        panel.show();
        panel.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&panel));
    }

    // Loads steps labelled 1..n (time k unless given), as a program file would.
    void load(std::vector<float> freqs, std::vector<qint16> times = {}) {
        std::vector<ProgramStep> steps;
        for (size_t k = 1; k <= freqs.size(); ++k)
            steps.push_back({static_cast<qint16>(k), freqs[k - 1], times.empty() ? qint16(k) : times[k - 1]});
        state.program.load(steps, state.generator.SortMode);
    }
    template <class W = QAbstractButton> W* get(const char* name) const { return child<W>(&panel, name); }
    void click(const char* name) const { get(name)->click(); }
    QString text(const char* name) const {
        auto* box = qobject_cast<QLineEdit*>(get<QWidget>(name));
        return box ? box->text() : get<QLabel>(name)->text();
    }
    QStringList column(int c) const { return rows(grid, c); }
    // A real mouse click on a cell (row and column counted from 0).
    void clickCell(int row, int col) const {
        grid->scrollToItem(grid->item(row, col));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualItemRect(grid->item(row, col)).center());
    }
    // A real key press on the widget that has the focus.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    void type(const QString& text) const {
        get<QLineEdit>("Text5")->selectAll();
        QTest::keyClicks(get<QLineEdit>("Text5"), text);
    }
    QWidget* insertWindow() const { return windows.find(QStringLiteral("frmInsertFreq")); }
    // Opens the Insert window and presses OK with these texts; returns what its caption showed.
    QString insert(const char* option, const char* freq, const char* time) const {
        click("Command12_0");
        QWidget* w = insertWindow();
        const QString shown = child<QLabel>(w, "Label1")->text();
        if (option) child<QRadioButton>(w, option)->click();
        child<QLineEdit>(w, "Text1")->setText(QString::fromLatin1(freq));
        child<QLineEdit>(w, "Text2")->setText(QString::fromLatin1(time));
        child(w, "Command1")->click();
        return shown;
    }

    ProgramGridPanel panel{services};
    QTableWidget* grid = panel.grid();
};

} // namespace

TEST_F(ProgramGrid, BufferGivesStepsUpToEachGapAndAtMostTwoThousand) {
    state.buffer.entries[1].Freq = {7.83f, 10, 0, 500};
    state.buffer.BufferNext = 2;
    type(QStringLiteral("5")); // nothing selected: typing does nothing
    click("Command8");
    EXPECT_EQ(column(1) + column(2), QStringList({"7.83", "10", "180", "180"}));

    // 50 full entries are exactly 2000 steps; one more gives the first 2000 and says so, as does Insert
    // into the full table.
    for (int e = 1; e <= 51; ++e)
        state.buffer.entries[static_cast<size_t>(e)].Freq.fill(static_cast<float>(e));
    for (int next : {51, 52}) {
        state.buffer.BufferNext = next;
        click("Command8");
        EXPECT_EQ(grid->item(1999, 1)->text() + text("Label6"), "50Duration: 6000.0 minutes");
        EXPECT_EQ(platform.messages.size(), next - 51);
    }
    insert(nullptr, "5", "5");
    EXPECT_EQ(platform.messageTexts(), QStringList(2, TooManyStepsText));
    EXPECT_EQ(grid->rowCount(), 2000);
}

TEST_F(ProgramGrid, ClickingCellsTypingAndTheSpinner) {
    load({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {60, 60, 61, 0, 0, 0, 0, 0, 0, 0, 0, 45});
    clickCell(11, 2);
    EXPECT_EQ(text("Label7") + "=" + text("Text5"), " 12 Time=45");
    type(QStringLiteral("300"));
    EXPECT_EQ(text("Label6"), "Duration: 8.0 minutes");
    // Out of range: the cell shows the time that is kept, and the user is told the range.
    type(QStringLiteral("40000"));
    EXPECT_EQ(grid->item(11, 2)->text() + text("Text5"), "3276732767");
    EXPECT_TRUE(platform.messageTexts().value(0).contains("-32768 to 32767"));

    // The spinner steps by 10 and stops at the end of the range.
    for (const char* button : {"Option2_1", "UpDown1_up", "UpDown1_down"})
        click(button);
    EXPECT_EQ(grid->item(11, 2)->text(), "32757");

    // A click on the "No" column edits that step's frequency.
    clickCell(2, 0);
    type(QStringLiteral("12.5"));
    EXPECT_EQ(text("Label7") + grid->item(2, 1)->text(), " 3 Freq12.5");

    // Enter on a cell selects it as a click does.
    grid->setCurrentCell(0, 2);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(text("Text5"), "60");
}

TEST_F(ProgramGrid, ChangeBoxAndDeleteFollowTheCurrentCellOnKeyboardMoves) {
    load({100, 200, 300, 400, 500}, {10, 20, 30, 40, 50});
    grid->setFocus();
    clickCell(2, 1);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_EQ(text("Label7") + "=" + text("Text5"), " 5 Freq=500");
    click("Command12_1");
    EXPECT_EQ(column(1), QStringList({"100", "200", "300", "400"}));

    clickCell(0, 2);
    press(Qt::Key_Down);
    auto* box = get<QLineEdit>("Text5");
    box->setFocus();
    box->selectAll();
    press(Qt::Key_7);
    press(Qt::Key_7);
    EXPECT_EQ(column(2), QStringList({"10", "77", "30", "40"}));

    // Up and Down in the change box step it as the spinner does.
    press(Qt::Key_Up);
    click("Option2_1");
    press(Qt::Key_Down);
    EXPECT_EQ(state.program.table().StepTime[2], 68);

    // Tab, Shift+Tab, Home, End and the page keys carry the caption and value along, past the "No" column.
    grid->setFocus();
    QStringList shown;
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_PageDown,
                        Qt::Key_Home, Qt::Key_End}) {
        press(key);
        shown << text("Label7") + " = " + box->text();
    }
    EXPECT_EQ(shown, QStringList({" 3 Freq = 300", " 2 Time = 68", " 2 Freq = 200", " 1 Time = 10",
                                  " 4 Time = 40", " 4 Freq = 400", " 4 Time = 40"}));
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

// Times stop at the ends of their range; the arrays follow a sort, and after a sort and a redraw the
// current order is the entry order. Cleared, the table takes a first step by Insert.
TEST_F(ProgramGrid, WidestTextsFitShiftTimesSortClearAndApplyEnabling) {
    QSignalSpy steps(&panel, &ProgramGridPanel::stepsPresent);
    load({100, 7.83f, 25000.5f}, {32767, -32768, 3});
    const QFontMetrics metrics = grid->fontMetrics();
    EXPECT_GT(grid->columnWidth(1), metrics.horizontalAdvance(QStringLiteral("25000.5")));
    EXPECT_GT(grid->columnWidth(2), metrics.horizontalAdvance(QStringLiteral("-32768")));
    EXPECT_GE(grid->viewport()->width(), grid->columnWidth(0) + grid->columnWidth(1) + grid->columnWidth(2));
    screenshot(&panel, QStringLiteral("program-panel"));
    click("Option1_1");
    EXPECT_EQ(state.program.table().StepFreq[1], 25000.5f);
    for (const char* button : {"Option2_1", "Command13_0", "Command13_1", "Command13_1", "Option1_2"})
        click(button);
    EXPECT_EQ(column(1) + column(2), QStringList({"25000.5", "100", "7.83", "-7", "32747", "-32768"}));

    EXPECT_TRUE(get("Command9")->isEnabled() && steps.last().at(0).toBool());
    clickCell(0, 1);
    click("Command11");
    EXPECT_EQ(text("Label6") + "|" + text("Label7"), "Duration: .0 minutes|Change");
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_FALSE(get("Command9")->isEnabled() || steps.last().at(0).toBool());
    click("Command12_0"); // Insert into the empty table: neither before nor after
    screenshot(insertWindow(), QStringLiteral("insert-window"));
    EXPECT_FALSE(child<QWidget>(insertWindow(), "Option1_0")->isEnabled() ||
                 child<QWidget>(insertWindow(), "Option1_1")->isEnabled());
    EXPECT_EQ(insert(nullptr, "7.83", "60"), "New Program.");
    EXPECT_EQ(column(1) << text("Label6"), QStringList({"7.83", "Duration: 1.0 minutes"}));
}

TEST_F(ProgramGrid, ApplyRefusesABadCapThenCapsRemovesDuplicatesAndReports) {
    load({25000}); // a single step is left alone: not even the cap is read
    get<QLineEdit>("Text6")->setText(QStringLiteral("abc"));
    click("Command9");
    EXPECT_TRUE(platform.messages.isEmpty());
    load({25000, 25000});
    click("Command9");
    EXPECT_EQ(platform.messages[0].title + platform.messages[0].text, CapValueErrorTitle + CapValueErrorText);
    EXPECT_EQ(column(1), QStringList({"25000", "25000"}));
    get<QLineEdit>("Text6")->setText(QStringLiteral("10"));
    load({25000, 10000, 10001});
    click("Command9");
    EXPECT_EQ(column(1), QStringList({"6250", "10000", "5000.5"}));
    QWidget* report = windows.find(QStringLiteral("Form9"));
    screenshot(report, QStringLiteral("apply-report"));
    EXPECT_EQ(child<QLabel>(report, "Label1")->text() + child<QLabel>(report, "Label2")->text(),
              " 0 Duplicates found. 2 Frequencies Capped.");
    EXPECT_EQ(rows(child<QListWidget>(report, "List2")), QStringList({" 25000", " 10001"}));

    // Typed cells are read back first; every later copy goes; the same window is refilled.
    load({100, 100, 200, 100});
    clickCell(2, 1);
    type(QStringLiteral("100"));
    get<QLineEdit>("Text6")->clear();
    click("Check2");
    click("Command9");
    EXPECT_EQ(column(2), QStringList({"1"}));
    EXPECT_EQ(windows.find(QStringLiteral("Form9")), report);
    EXPECT_EQ(rows(child<QListWidget>(report, "List1")), QStringList(3, " 100"));
}

// Enter presses OK or Close, Esc cancels or closes: a real key on the focused dialog.
TEST_F(ProgramGrid, InsertAndTheReportAnswerTheKeyboard) {
    load({100, 200});
    clickCell(0, 1);
    auto key = [](QWidget* window, const char* focus, Qt::Key k) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        child<QWidget>(window, focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    };
    for (const auto& [freq, k, expected] : {std::tuple{"", Qt::Key_Return, "100,200"},
                                            {"50", Qt::Key_Escape, "100,200"},
                                            {"50", Qt::Key_Enter, "50,100,200"}}) {
        click("Command12_0");
        QPointer<QWidget> insert = insertWindow();
        child<QLineEdit>(insert, "Text1")->setText(QString::fromLatin1(freq));
        child<QLineEdit>(insert, "Text2")->setText(QStringLiteral("5"));
        key(insert, "Text2", k);
        EXPECT_EQ(column(1).join(u','), expected) << freq;
        EXPECT_EQ(insert.isNull(), *freq != 0) << freq; // an empty box keeps the window open
    }
    EXPECT_EQ(platform.messageTexts(), QStringList({"Both Frequency and Time inputs require data!"}));
    clickCell(2, 1);
    EXPECT_EQ(insert("Option1_0", "77", "7"), "200 Hz"); // before the current step
    EXPECT_EQ(column(0) + column(2), QStringList({"1", "2", "3", "4", "5", "1", "7", "2"}));

    click("Command9");
    for (Qt::Key k : {Qt::Key_Return, Qt::Key_Escape}) {
        QPointer<QWidget> report = windows.find(QStringLiteral("Form9"));
        key(report, "List1", k);
        EXPECT_TRUE(report.isNull()) << k;
        click("Command9");
    }
}
