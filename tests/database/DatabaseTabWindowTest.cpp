#include "database/DatabaseWindowFixture.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

std::vector<FrequencyRecord> fixtureRecords() {
    return {
        record("beta wave", "calm", {14, 528}),
        record("Alpha", std::nullopt, {528, 727}),
        record("apple", "fruit apple", {5280}),
        record("Theta", "deep", {528.5, 6}),
        record("Twin", "first twin", {111}),
        record("Twin", "second twin", {222, 333}),
        record("Zero", "", {}),
    };
}

} // namespace

TEST(DatabaseTab, StartsEmptyWithTheRecordButtonsDisabled) {
    DatabaseWindowFixture sono(fixtureRecords());
    EXPECT_EQ(sono.list()->count(), 0);
    EXPECT_EQ(sono.caption(), "Results :");
    EXPECT_FALSE(sono.recordButtonsEnabled());
    EXPECT_TRUE(sono.button("Command4")->isEnabled());
    EXPECT_TRUE(sono.button("Command5")->isEnabled());
    EXPECT_EQ(sono.button("Command3")->text(), "Send to Buffer");
    EXPECT_EQ(sono.button("Command4")->text(), "View Buffer");
    EXPECT_EQ(sono.state.LetterSearchFlag, 0);
    EXPECT_EQ(sono.state.CurrentQuery, SearchQuery::all().sqlText());
    for (QWidget* w : sono.main->findChild<QWidget*>("DatabaseTab")->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QListWidget*>(w)) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
}

TEST(DatabaseTab, LetterSearchListsBothCasesSortedAndCountsThem) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("a");
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "apple"}));
    EXPECT_EQ(sono.caption(), "Results :  2 records found");
    EXPECT_EQ(sono.state.SearchText, "a");
    EXPECT_EQ(sono.state.LetterSearchFlag, 1);
    EXPECT_EQ(sono.state.ResultCount, 2);
    EXPECT_EQ(sono.state.CurrentQuery, SearchQuery::letter("a").sqlText());

    sono.letter("q");
    EXPECT_TRUE(sono.lines().isEmpty());
    EXPECT_EQ(sono.caption(), "Results :  0 records found");
    EXPECT_EQ(sono.state.ResultCount, 0);
}

TEST(DatabaseTab, FindSearchesTheTickedColumns) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.find("apple", true, true, false);
    EXPECT_EQ(sono.lines(), QStringList({"apple"})); // in both columns, listed once
    EXPECT_EQ(sono.state.LetterSearchFlag, 0);
    EXPECT_EQ(sono.state.SearchText, "apple");
    sono.find("twin", false, true, false);
    EXPECT_EQ(sono.lines(), QStringList({"Twin", "Twin"}));
    sono.find("", true, false, false);
    EXPECT_EQ(sono.list()->count(), 7);
    EXPECT_EQ(sono.caption(), "Results :  7 records found");

    sono.find("528", false, false, true);
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "beta wave"}));
    sono.find("528 hz", false, false, true);
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "beta wave"}));
    EXPECT_TRUE(sono.platform.messages.isEmpty());
}

TEST(DatabaseTab, RefusedFindsShowTheirMessageAndKeepTheList) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("t");
    const QString query = sono.state.CurrentQuery;
    sono.find("x", false, false, false);
    sono.find("0.5", false, false, true);
    sono.find("Hz", false, false, true);
    ASSERT_EQ(sono.platform.messages.size(), 3);
    EXPECT_EQ(sono.platform.messages[0].text, "You need to check Description or Comments or Frequencies.");
    EXPECT_EQ(sono.platform.messages[0].title, "Make a Choice !");
    EXPECT_EQ(sono.platform.messages[1].text, "You need to enter a value 1 or greater in the search box.");
    EXPECT_EQ(sono.platform.messages[2].title, "Enter a Value !");
    EXPECT_EQ(sono.lines(), QStringList({"Theta", "Twin", "Twin"}));
    EXPECT_EQ(sono.state.CurrentQuery, query);
}

TEST(DatabaseTab, QuotesAndWildcardsInTheSearchBoxAreJustText) {
    DatabaseWindowFixture sono(
        {record("it's 50% off", "a_b", {1}), record("plain", "a*b\\c", {2}), record("other", "ab", {3})});
    sono.find("'s 50%", true, false, false);
    EXPECT_EQ(sono.lines(), QStringList({"it's 50% off"}));
    sono.find("_", false, true, false);
    EXPECT_EQ(sono.lines(), QStringList({"it's 50% off"}));
    sono.find("*b\\", false, true, false);
    EXPECT_EQ(sono.lines(), QStringList({"plain"}));
    EXPECT_TRUE(sono.platform.messages.isEmpty());
}

TEST(DatabaseTab, EnterInTheSearchBoxRunsFindAndMouseOverFocusesIt) {
    DatabaseWindowFixture sono(fixtureRecords());
    QApplication::setActiveWindow(sono.main);
    QLineEdit* box = sono.searchBox();
    QTest::keyClicks(box, "Twin");
    EXPECT_TRUE(sono.lines().isEmpty()); // typing alone searches nothing
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(sono.lines(), QStringList({"Twin", "Twin"}));

    sono.list()->setFocus();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(box, &enter);
    EXPECT_EQ(QApplication::focusWidget(), box);
}

TEST(DatabaseTab, CheckBoxClicksKeepFrequenciesApart) {
    DatabaseWindowFixture sono(fixtureRecords());
    EXPECT_TRUE(sono.box(0)->isChecked());
    sono.box(1)->click();
    EXPECT_TRUE(sono.box(0)->isChecked());
    EXPECT_TRUE(sono.box(1)->isChecked());
    sono.box(2)->click();
    EXPECT_FALSE(sono.box(0)->isChecked());
    EXPECT_FALSE(sono.box(1)->isChecked());
    EXPECT_TRUE(sono.box(2)->isChecked());
    sono.box(0)->click();
    EXPECT_TRUE(sono.box(0)->isChecked());
    EXPECT_FALSE(sono.box(2)->isChecked());
    // A click that unticks keeps its effect on the other boxes too.
    sono.box(0)->click();
    EXPECT_FALSE(sono.box(0)->isChecked());
    sono.box(2)->click();
    sono.box(2)->click();
    EXPECT_FALSE(sono.box(2)->isChecked());
    EXPECT_FALSE(sono.box(0)->isChecked());
    // Ticking from the program is not a click.
    sono.box(2)->setChecked(true);
    sono.box(0)->setChecked(true);
    EXPECT_TRUE(sono.box(2)->isChecked());
}

TEST(DatabaseTab, SelectingALineShowsItsOwnRecord) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("t");
    ASSERT_EQ(sono.lines(), QStringList({"Theta", "Twin", "Twin"}));
    sono.select(2);
    EXPECT_EQ(sono.control<QLabel>("Label2_2")->text(), "Twin");
    EXPECT_EQ(sono.comments(), "second twin");
    EXPECT_EQ(sono.frequencies(), " 222,  333");
    EXPECT_EQ(sono.state.RecordFreqText, " 222,  333");
    EXPECT_TRUE(sono.recordButtonsEnabled());
    sono.select(1);
    EXPECT_EQ(sono.comments(), "first twin");
    EXPECT_EQ(sono.frequencies(), " 111");

    sono.letter("a");
    sono.select(0);
    EXPECT_EQ(sono.comments(), "No Comments");
    EXPECT_EQ(sono.frequencies(), " 528,  727");
    // A search disables the buttons but keeps the display.
    sono.letter("z");
    EXPECT_FALSE(sono.recordButtonsEnabled());
    EXPECT_EQ(sono.comments(), "No Comments");
    sono.select(0);
    EXPECT_EQ(sono.comments(), "No Comments"); // "" is shown as no comment
    EXPECT_EQ(sono.frequencies(), "");
    EXPECT_EQ(sono.state.RecordFreqText, "");
    EXPECT_EQ(sono.control<QLabel>("Label2_3")->text(), "Frequencies");
}

TEST(DatabaseTab, TheLastLineOfALongListShowsTheLastSet) {
    std::vector<FrequencyRecord> records;
    for (int i = 0; i < 3000; ++i)
        records.push_back(record(QStringLiteral("Set %1").arg(i, 4, 10, QLatin1Char('0')), QString::number(i),
                                 {double(i + 1)}));
    DatabaseWindowFixture sono(records);
    sono.letter("S");
    ASSERT_EQ(sono.list()->count(), 3000);
    EXPECT_EQ(sono.caption(), "Results :  3000 records found");
    sono.select(2999);
    EXPECT_EQ(sono.comments(), "2999");
    EXPECT_EQ(sono.frequencies(), " 3000");
    screenshot(sono.main, QStringLiteral("database-tab"));
}

TEST(DatabaseTab, DeleteAsksFirstAndRepeatsTheLastSearch) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("t");
    sono.select(1);
    sono.platform.answers.push_back(MessageAnswer::Cancel);
    sono.button("Command7")->click();
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_EQ(sono.platform.messages[0].text, "You are about to permanently DELETE the select record !");
    EXPECT_EQ(sono.platform.messages[0].title, "Delete A Record");
    EXPECT_EQ(sono.platform.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(sono.lines(), QStringList({"Theta", "Twin", "Twin"}));
    EXPECT_TRUE(sono.recordButtonsEnabled());

    sono.button("Command7")->click(); // OK
    EXPECT_EQ(sono.lines(), QStringList({"Theta", "Twin"}));
    EXPECT_FALSE(sono.recordButtonsEnabled());
    sono.select(1);
    EXPECT_EQ(sono.comments(), "second twin");

    // After a Find, the same Find runs again.
    sono.find("528", false, false, true);
    sono.select(0);
    sono.button("Command7")->click();
    EXPECT_EQ(sono.lines(), QStringList({"beta wave"}));
    EXPECT_EQ(*sono.state.database.tableRowCount(), 5);
}

TEST(DatabaseTab, ARefusedRefreshAfterDeleteStillDropsTheDeletedLine) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.find("Twin", true, false, false);
    sono.box(0)->setChecked(false); // no box ticked when the list is refreshed
    sono.select(0);
    sono.button("Command7")->click();
    EXPECT_EQ(sono.platform.messages.last().title, "Make a Choice !");
    EXPECT_EQ(sono.lines(), QStringList({"Twin"}));
    sono.select(0);
    EXPECT_EQ(sono.comments(), "second twin");
}

TEST(DatabaseTab, RepairKeepsTheRecordsAndEmptiesTheDisplay) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("t");
    sono.select(0);
    sono.searchBox()->setText("x");
    sono.main->menuAction("RandCDB")->trigger();
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_EQ(sono.platform.messages[0].text, "FREQS.MDB file successfully repaired and compacted.");
    EXPECT_EQ(sono.platform.messages[0].title, "Good News !");
    EXPECT_FALSE(sono.folder.exists("newFreq.mdb"));
    EXPECT_EQ(sono.list()->count(), 0);
    EXPECT_EQ(sono.searchBox()->text(), "");
    EXPECT_EQ(sono.comments(), "");
    EXPECT_EQ(sono.frequencies(), "");
    EXPECT_EQ(sono.caption(), "Results :  3 records found");
    EXPECT_FALSE(sono.recordButtonsEnabled());
    EXPECT_EQ(sono.state.CurrentQuery, SearchQuery::all().sqlText());
    EXPECT_EQ(sono.state.LetterSearchFlag, 1);
    sono.button("Command6")->click();
    EXPECT_EQ(sono.editor(), nullptr);
    sono.find("", true, false, false);
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "apple", "beta wave", "Theta", "Twin", "Twin", "Zero"}));
}

TEST(DatabaseTab, AFailedRepairIsReportedAndTheDatabaseStaysInUse) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.folder.write("newFreq.mdb", "left over");
    const QByteArray before = sono.folder.read("freqs.mdb");
    sono.main->menuAction("RandCDB")->trigger();
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_NE(sono.platform.messages[0].title, "Good News !");
    EXPECT_TRUE(sono.platform.messages[0].text.contains("newFreq.mdb"))
        << sono.platform.messages[0].text.toStdString();
    EXPECT_EQ(sono.folder.read("freqs.mdb"), before);
    EXPECT_EQ(sono.folder.read("newFreq.mdb"), "left over");
    sono.letter("a");
    EXPECT_EQ(sono.lines(), QStringList({"Alpha", "apple"}));
}
