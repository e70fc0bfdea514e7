#include "gui/database/DatabaseTab.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"

#include <QtTest>
#include <QtWidgets>

using namespace sono;
using namespace sono::test;

namespace {

// The Database tab alone on a store of a few sets; the record editor it opens blocks `owner`.
struct DatabaseTabAlone : WindowServices {
    explicit DatabaseTabAlone(const std::vector<FrequencyRecord>& records = {
                                  record("beta wave", "calm", {14, 528}),
                                  record("Alpha", std::nullopt, {528, 727}),
                                  record("apple", "fruit apple", {5280}), record("Theta", "deep", {528.5, 6}),
                                  record("Twin", "first twin", {111}),
                                  record("Twin", "second twin", {222, 333}), record("Zero", "", {})}) {
        openStore(records);
        state.DatabasePath = state.filePath(QStringLiteral("freqs.mdb"));
        QObject::connect(&requests, &Requests::databaseChanged, &tab, &DatabaseTab::refreshAfterChange);
        tab.resetSearchOptions();
        tab.show();
    }

    QListView* list() const { return child<QListView>(&tab, "List1"); }
    QLineEdit* searchBox() const { return child<QLineEdit>(&tab, "Text1"); }
    QCheckBox* box(int i) const { return child<QCheckBox>(&tab, QStringLiteral("Check1_%1").arg(i)); }
    QString text(const QWidget* window, const char* name) const {
        return child<QPlainTextEdit>(window, name)->toPlainText();
    }
    // The record display: comments and frequencies.
    QStringList shown() const { return {text(&tab, "Text2"), text(&tab, "Text3")}; }
    QStringList lines() const { return rows(list()); }
    QString title() const { return platform.messages.value(platform.messages.size() - 1).title; }
    void letter(char c) {
        state.SearchText = QString(QLatin1Char(c));
        tab.FrontCharSearch();
    }
    void find(const QString& what, bool d, bool c, bool f) {
        searchBox()->setText(what);
        for (int i = 0; i < 3; ++i)
            box(i)->setChecked(std::array{d, c, f}[static_cast<size_t>(i)]);
        child(&tab, "Command1")->click();
    }
    void select(int k) const {
        const QModelIndex line = list()->model()->index(k, 0);
        list()->scrollTo(line);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(line).center());
    }
    // Send to Buffer, Edit and Delete go together.
    bool recordButtonsEnabled() const {
        const bool send = child(&tab, "Command3")->isEnabled();
        EXPECT_TRUE(send == child(&tab, "Command6")->isEnabled() &&
                    send == child(&tab, "Command7")->isEnabled());
        return send;
    }
    static void focus(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    static void settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // The record editor, opened by New or Edit.
    QWidget* editor() const { return windows.find(QStringLiteral("Form2")); }
    QWidget* open(const char* button) {
        child(&tab, button)->click();
        return editor();
    }
    QLineEdit* slot(int index) const {
        return child<QLineEdit>(editor(), QStringLiteral("Text3_%1").arg(index));
    }
    QLineEdit* description() const { return child<QLineEdit>(editor(), "Text1"); }
    void click(const char* name) const {
        child(editor(), name)->click();
        settle();
    }
    void press(Qt::Key key) const {
        focus(editor());
        QTest::keyClick(QApplication::focusWidget(), key);
        settle();
    }

    DatabaseTab tab{services};
};

struct DatabaseTabWindow : ::testing::Test, DatabaseTabAlone {};

} // namespace

TEST_F(DatabaseTabWindow, SearchesFillTheListAndCaptionFromButtonsAndKeys) {
    letter('a');
    EXPECT_EQ(lines(), QStringList({"Alpha", "apple"}));
    EXPECT_EQ(child<QLabel>(&tab, "Label2_0")->text(), "Results :  2 records found");
    find("Hz", false, false, true); // refused: the message shows and the list stays
    EXPECT_EQ(title(), "Enter a Value !");
    focus(&tab);
    searchBox()->clear();
    QTest::keyClicks(searchBox(), "528");
    EXPECT_EQ(lines(), QStringList({"Alpha", "apple"})); // the refused Find and typing alone search nothing
    QTest::keyClick(searchBox(), Qt::Key_Return);
    EXPECT_EQ(lines(), QStringList({"Alpha", "beta wave"}));
    EXPECT_EQ(state.CurrentQuery, SearchQuery::find("528", false, false, true).sqlText());
    list()->setFocus();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(searchBox(), &enter);
    EXPECT_EQ(QApplication::focusWidget(), searchBox());

    // Clicks keep "Frequencies" apart; ticking from the program is not a click.
    auto ticks = [&] {
        return QString(box(0)->isChecked() ? 'D' : '-') + (box(1)->isChecked() ? 'C' : '-') +
               (box(2)->isChecked() ? 'F' : '-');
    };
    for (const auto& [click, expected] : {std::pair{1, "-C-"}, {0, "DC-"}, {2, "--F"}}) {
        box(click)->click();
        EXPECT_EQ(ticks(), expected) << "after clicking box " << click;
    }
    box(0)->setChecked(true);
    EXPECT_EQ(ticks(), "D-F");
}

// Tab into the list makes a line current without selecting it: no set is shown until one is selected.
TEST_F(DatabaseTabWindow, SelectingALineShowsItsOwnRecordButFocusAloneDoesNot) {
    letter('T');
    focus(&tab);
    searchBox()->setFocus();
    for (int i = 0; i < 10 && QApplication::focusWidget() != list(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), list());
    EXPECT_FALSE(recordButtonsEnabled());
    EXPECT_EQ(shown(), QStringList({"", ""}));
    QTest::keyClick(list(), Qt::Key_Down); // a keyboard move that visibly selects a line
    EXPECT_EQ(shown(), QStringList({"first twin", " 111"}));
    EXPECT_TRUE(recordButtonsEnabled());
    QTest::keyClick(list(), Qt::Key_Space, Qt::ControlModifier); // unselects it again
    EXPECT_FALSE(recordButtonsEnabled());
    select(2); // the second of two sets with one description
    EXPECT_EQ(shown(), QStringList({"second twin", " 222,  333"}));
    letter('z'); // a search disables the buttons
    EXPECT_FALSE(recordButtonsEnabled());
}

TEST(DatabaseTabLongList, TheLastLineShowsTheLastSet) {
    std::vector<FrequencyRecord> records;
    for (int i = 0; i < 3000; ++i)
        records.push_back(record(QStringLiteral("S%1").arg(1000 + i), QString::number(i)));
    DatabaseTabAlone window(records);
    window.letter('S');
    window.select(2999);
    EXPECT_EQ(window.shown()[0], "2999");
    screenshot(&window.tab, QStringLiteral("database-tab"));
}

// Delete asks first and repeats the last search; Repair and Compact, as background work, empties the display.
// The files, a locked one too, are the repair model's test.
TEST_F(DatabaseTabWindow, DeleteAsksFirstAndRepeatsTheLastSearchRepairEmptiesTheDisplay) {
    letter('T');
    select(1);
    platform.answers.push_back(MessageAnswer::Cancel);
    child(&tab, "Command7")->click();
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(lines(), QStringList({"Theta", "Twin", "Twin"}));
    child(&tab, "Command7")->click(); // OK
    EXPECT_EQ(lines(), QStringList({"Theta", "Twin"}));
    EXPECT_FALSE(recordButtonsEnabled());
    // A refresh refused for want of a ticked box still drops the deleted line.
    find("e", true, false, false);
    box(0)->setChecked(false);
    select(0);
    child(&tab, "Command7")->click();
    EXPECT_EQ(title(), "Make a Choice !");
    EXPECT_EQ(lines(), QStringList({"beta wave", "Theta", "Zero"}));
    select(1);
    EXPECT_EQ(shown()[0], "deep");

    QSignalSpy finished(&work, &BackgroundWork::finished);
    tab.repairAndCompactDatabase();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(platform.messages.last().text.startsWith("FREQS.MDB file successfully repaired"));
    EXPECT_EQ((lines() << searchBox()->text() << shown()[0]), QStringList({"", ""}));
    EXPECT_FALSE(recordButtonsEnabled());
    EXPECT_EQ(state.CurrentQuery, SearchQuery::all().sqlText());
    letter('a'); // the store is open again, without the deleted set
    EXPECT_EQ(lines(), QStringList({"Alpha"}));
}

// Edit shows the set, refuses bad input keeping what was typed, and saves in place; Send sends it as shown.
TEST_F(DatabaseTabWindow, EditorEditShowsTheRecordRefusesBadInputAndSavesInPlace) {
    find("ph", true, false, false);
    select(0);
    QWidget* window = open("Command6");
    EXPECT_EQ((QStringList{description()->text(), text(window, "Text2"), slot(1)->text(), slot(2)->text()}),
              QStringList({"Alpha", "No Comments", "727", "0"}));
    EXPECT_EQ(text(window, "Text4"), text(&tab, "Text3"));
    EXPECT_TRUE(slot(10)->y() == slot(0)->y() && slot(10)->x() > slot(0)->x()); // four columns
    // Frequency boxes select their whole text when they take the focus.
    focus(window);
    QTest::mouseClick(slot(0), Qt::LeftButton, {}, QPoint(3, slot(0)->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(slot(0)->selectedText(), "528");
    QTest::keyClick(slot(0), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(slot(1)->selectedText(), "727");

    slot(11)->setText("12 Hz");
    click("Command1");
    EXPECT_EQ(title(), "Not A Number");
    EXPECT_EQ(slot(11)->text(), "12 Hz");
    EXPECT_EQ(editor(), window);
    click("Command2"); // Exit - Do Not Save
    EXPECT_EQ(editor(), nullptr);
    open("Command6");
    description()->setText("Alpha two");
    slot(1)->clear();
    slot(39)->setText("25000");
    click("Command1");
    EXPECT_EQ(lines(), QStringList({"Alpha two"})); // the Find "ph" runs again; the set changed in place
    select(0);
    EXPECT_EQ(shown(), QStringList({"No Comments", " 528,  25000"}));
    child(&tab, "Command3")->click();
    EXPECT_EQ(state.buffer.entries[1].FrequencyText, " 528,  25000");
}

// The editor blocks the owner until it goes: Esc and the close box save nothing, Enter presses Save and Exit.
TEST_F(DatabaseTabWindow, EditorEscCloseBoxAndEnter) {
    letter('T');
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_unknown, Qt::Key_Return}) {
        QWidget* window = open("Command5");
        EXPECT_FALSE(owner.isEnabled());
        EXPECT_EQ(description()->text(), ""); // New starts empty
        EXPECT_FALSE(child<QPlainTextEdit>(window, "Text4")->isVisibleTo(window));
        description()->setText("Tau");
        key == Qt::Key_unknown ? (window->close(), settle()) : press(key);
        EXPECT_EQ(editor(), nullptr);
        EXPECT_TRUE(owner.isEnabled());
    }
    EXPECT_EQ(lines(), QStringList({"Tau", "Theta", "Twin", "Twin"})); // only Enter saved
    select(0); // saved with the default comment and 0 in every slot
    EXPECT_EQ(shown(), QStringList({"No Comments", ""}));
}
