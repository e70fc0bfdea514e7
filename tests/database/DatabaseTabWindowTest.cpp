#include "database/DatabaseWindowFixture.h"
#include "support/Screenshot.h"

#include <QEnterEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

struct DatabaseTabWindow : ::testing::Test {
    DatabaseWindowFixture sono{{record("beta wave", "calm", {14, 528}),
                                record("Alpha", std::nullopt, {528, 727}),
                                record("apple", "fruit apple", {5280}), record("Theta", "deep", {528.5, 6}),
                                record("Twin", "first twin", {111}),
                                record("Twin", "second twin", {222, 333}), record("Zero", "", {})}};

    // The record editor, once open.
    QWidget* window = nullptr;
    void open(const char* button) {
        sono.button(button)->click();
        window = sono.editor();
        ASSERT_NE(window, nullptr);
    }
    template <class W> W* child(const QString& name) const { return window->findChild<W*>(name); }
    QLineEdit* description() const { return child<QLineEdit>("Text1"); }
    QLineEdit* slot(int index) const { return child<QLineEdit>(QStringLiteral("Text3_%1").arg(index)); }
    void click(const char* button) const {
        child<QPushButton>(button)->click();
        DatabaseWindowFixture::settle();
    }
};

} // namespace

TEST_F(DatabaseTabWindow, LetterSearchAndFindFillTheListAndCaption) {
    EXPECT_EQ(sono.caption(), "Results :");
    EXPECT_FALSE(sono.recordButtonsEnabled());
    sono.letter("a");
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "apple"}));
    EXPECT_EQ(sono.caption(), "Results :  2 records found");
    sono.letter("q");
    EXPECT_TRUE(sono.lines().isEmpty());
    EXPECT_EQ(sono.caption(), "Results :  0 records found");

    sono.find("apple", true, true, false);
    EXPECT_EQ(sono.lines(), QStringList({"apple"})); // in both columns, listed once
    sono.find("528", false, false, true);
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "beta wave"}));
    // Refused finds show their message and keep the list.
    sono.find("x", false, false, false);
    sono.find("Hz", false, false, true);
    EXPECT_EQ(sono.titles(), QStringList({"Make a Choice !", "Enter a Value !"}));
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "beta wave"}));
    EXPECT_EQ(sono.state.CurrentQuery, SearchQuery::find("528", false, false, true).sqlText());
}

TEST_F(DatabaseTabWindow, SearchBoxAndCheckBoxes) {
    QApplication::setActiveWindow(sono.main);
    QTest::keyClicks(sono.searchBox(), "Twin");
    EXPECT_TRUE(sono.lines().isEmpty()); // typing alone searches nothing
    QTest::keyClick(sono.searchBox(), Qt::Key_Return);
    EXPECT_EQ(sono.lines(), QStringList({"Twin", "Twin"}));
    sono.list()->setFocus();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(sono.searchBox(), &enter);
    EXPECT_EQ(QApplication::focusWidget(), sono.searchBox());

    const std::pair<int, const char*> clicks[] = {{1, "DC-"}, {2, "--F"}, {0, "D--"},
                                                  {0, "---"}, {2, "--F"}, {2, "---"}};
    for (const auto& [click, ticks] : clicks) {
        sono.box(click)->click();
        EXPECT_EQ(sono.ticks(), ticks) << "after clicking box " << click;
    }
    // Ticking from the program is not a click.
    sono.box(2)->setChecked(true);
    sono.box(0)->setChecked(true);
    EXPECT_TRUE(sono.box(2)->isChecked());
}

TEST_F(DatabaseTabWindow, SelectingALineShowsItsOwnRecord) {
    sono.letter("T");
    ASSERT_EQ(sono.lines(), QStringList({"Theta", "Twin", "Twin"}));
    sono.select(2);
    EXPECT_EQ(sono.comments(), "second twin");
    EXPECT_EQ(sono.state.RecordFreqText, " 222,  333");
    EXPECT_TRUE(sono.recordButtonsEnabled());
    sono.select(1);
    EXPECT_EQ(sono.comments(), "first twin");
    EXPECT_EQ(sono.frequencies(), " 111");
    // A search disables the buttons but keeps the display.
    sono.letter("z");
    EXPECT_FALSE(sono.recordButtonsEnabled());
    EXPECT_EQ(sono.comments(), "first twin");
    sono.select(0);
    EXPECT_EQ(sono.comments(), "No Comments"); // an empty comment, as a null one would be
    EXPECT_EQ(sono.frequencies(), "");
}

TEST(DatabaseTabWindowLongList, TheLastLineShowsTheLastSet) {
    std::vector<FrequencyRecord> records;
    for (int i = 0; i < 3000; ++i)
        records.push_back(
            record(QStringLiteral("Set %1").arg(i, 4, 10, QLatin1Char('0')), QString::number(i)));
    DatabaseWindowFixture sono(records);
    sono.letter("S");
    EXPECT_EQ(sono.caption(), "Results :  3000 records found");
    sono.select(2999);
    EXPECT_EQ(sono.comments(), "2999");
    screenshot(sono.main, QStringLiteral("database-tab"));
}

TEST_F(DatabaseTabWindow, DeleteAsksFirstAndRepeatsTheLastSearch) {
    sono.letter("T");
    sono.select(1);
    sono.platform.answers.push_back(MessageAnswer::Cancel);
    sono.button("Command7")->click();
    ASSERT_EQ(sono.titles(), QStringList({"Delete A Record"}));
    EXPECT_EQ(sono.platform.messages[0].text, "You are about to permanently DELETE the select record !");
    EXPECT_EQ(sono.platform.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(sono.lines(), QStringList({"Theta", "Twin", "Twin"}));

    sono.button("Command7")->click(); // OK
    EXPECT_EQ(sono.lines(), QStringList({"Theta", "Twin"}));
    EXPECT_FALSE(sono.recordButtonsEnabled());
    // A refresh refused for want of a ticked box still drops the deleted line.
    sono.find("e", true, false, false);
    sono.box(0)->setChecked(false);
    sono.select(0);
    sono.button("Command7")->click();
    EXPECT_EQ(sono.titles().last(), "Make a Choice !");
    EXPECT_EQ(sono.lines(), QStringList({"beta wave", "Theta", "Zero"}));
    sono.select(1);
    EXPECT_EQ(sono.comments(), "deep");
}

TEST_F(DatabaseTabWindow, RepairIsRefusedOverALeftoverCopyThenEmptiesTheDisplay) {
    sono.folder.write("newFreq.mdb", "left over");
    const QByteArray before = sono.folder.read("freqs.mdb");
    sono.main->menuAction("RandCDB")->trigger();
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.contains("newFreq.mdb"))
        << sono.platform.messages[0].text.toStdString();
    EXPECT_EQ(sono.folder.read("freqs.mdb"), before);
    EXPECT_EQ(sono.folder.read("newFreq.mdb"), "left over");
    sono.letter("a");
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "apple"}));

    ASSERT_TRUE(QFile::remove(sono.folder.file("newFreq.mdb")));
    sono.select(0);
    sono.searchBox()->setText("x");
    sono.main->menuAction("RandCDB")->trigger();
    ASSERT_EQ(sono.titles().size(), 2);
    EXPECT_EQ(sono.titles()[1], "Good News !");
    EXPECT_EQ(sono.platform.messages[1].text, "FREQS.MDB file successfully repaired and compacted.");
    EXPECT_FALSE(sono.folder.exists("newFreq.mdb"));
    EXPECT_EQ((sono.lines() << sono.searchBox()->text() << sono.comments()), QStringList({"", ""}));
    EXPECT_FALSE(sono.recordButtonsEnabled());
    EXPECT_EQ(sono.state.CurrentQuery, SearchQuery::all().sqlText());
}

TEST_F(DatabaseTabWindow, EditorCloseBoxSavesNothingAndNewSavesDefaults) {
    sono.letter("B");
    ASSERT_EQ(sono.lines(), QStringList({"beta wave"}));
    open("Command5");
    EXPECT_FALSE(sono.main->isEnabled());
    description()->setText("Unsaved");
    EXPECT_TRUE(window->close());
    DatabaseWindowFixture::settle();
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    EXPECT_EQ(*sono.state.database.tableRowCount(), 7);

    open("Command5"); // starts fresh
    EXPECT_EQ(window->windowTitle(), "Sono - NEW Database Entry");
    EXPECT_EQ(description()->text(), "");
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(slot(i)->text(), "");
    EXPECT_FALSE(child<QPlainTextEdit>("Text4")->isVisibleTo(window));
    // Four columns: F11 heads the second, right of F1.
    EXPECT_EQ(child<QLabel>("Label1_1")->text(), "F11");
    EXPECT_GT(slot(10)->geometry().x(), slot(0)->geometry().x());
    EXPECT_EQ(slot(10)->geometry().y(), slot(0)->geometry().y());
    screenshot(window, QStringLiteral("editor-new"));

    description()->setText("Bingo");
    click("Command1");
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    EXPECT_EQ(sono.lines(), QStringList({"beta wave", "Bingo"}));
    sono.select(1);
    const FrequencyRecord* saved = sono.state.database.current();
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Comments, QStringLiteral("No Comments"));
    for (const auto& f : saved->F)
        EXPECT_EQ(f, 0.0);
}

TEST_F(DatabaseTabWindow, EditorEditShowsTheRecordAndSavesItInPlace) {
    sono.find("ph", true, false, false);
    ASSERT_EQ(sono.lines(), QStringList({"Alpha"}));
    sono.select(0);
    open("Command6");
    EXPECT_EQ(window->windowTitle(), "Sono - EDIT Database Entry");
    EXPECT_EQ(description()->text(), "Alpha");
    EXPECT_EQ(child<QPlainTextEdit>("Text2")->toPlainText(), "No Comments");
    QStringList texts;
    for (int i = 0; i < 40; ++i)
        texts << slot(i)->text();
    EXPECT_EQ(texts, QStringList({"528", "727"}) + QStringList(38, "0"));
    EXPECT_EQ(child<QPlainTextEdit>("Text4")->toPlainText(), sono.frequencies());
    EXPECT_EQ(child<QLabel>("Label4")->text(), "Your frequencies prior to you editing them ;-)");

    // Frequency boxes select their whole text when they take the focus.
    QApplication::setActiveWindow(window);
    QTest::mouseClick(slot(0), Qt::LeftButton, {}, QPoint(3, slot(0)->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(slot(0)->selectedText(), "528");
    slot(1)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(slot(1)->selectedText(), "727");

    description()->setText("Alpha two");
    child<QPlainTextEdit>("Text2")->clear();
    slot(1)->clear();
    slot(39)->setText("25000");
    click("Command1");
    EXPECT_EQ(sono.lines(), QStringList({"Alpha two"})); // the Find "ph" runs again; the set changed in place
    sono.select(0);
    EXPECT_EQ(sono.comments(), "No Comments");
    EXPECT_EQ(sono.frequencies(), " 528,  25000");
}

TEST_F(DatabaseTabWindow, EditorRefusedSavesKeepItOpenAndTheDatabaseUnchanged) {
    sono.letter("T");
    sono.select(0);
    open("Command6");
    slot(11)->setText("12 Hz");
    click("Command1");
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.startsWith("F12 "))
        << sono.platform.messages[0].text.toStdString();
    EXPECT_EQ(sono.editor(), window);
    EXPECT_EQ(slot(11)->text(), "12 Hz");

    slot(11)->setText("12");
    description()->clear();
    click("Command1");
    ASSERT_EQ(sono.titles().size(), 2);
    EXPECT_EQ(sono.titles()[1], "No Data In Description");
    EXPECT_EQ(sono.platform.messages[1].text, "You need to enter information in the Description Box.");
    EXPECT_EQ(sono.editor(), window);
    EXPECT_FALSE(sono.main->isEnabled());

    click("Command2"); // Exit - Do Not Save
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    sono.letter("T");
    sono.select(0);
    EXPECT_EQ(sono.frequencies(), " 528.5,  6");
}
