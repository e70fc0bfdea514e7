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
