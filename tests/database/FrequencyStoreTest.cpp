#include "database/FrequencyStore.h"
#include "database/DatabaseFixture.h"

#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

const QString ColumnList = QStringLiteral(
    "SELECT DISTINCTROW Main.Description, Main.Comments,"
    " Main.F1, Main.F2, Main.F3, Main.F4, Main.F5, Main.F6, Main.F7, Main.F8, Main.F9, Main.F10, "
    " Main.F11, Main.F12, Main.F13, Main.F14, Main.F15, Main.F16, Main.F17, Main.F18, Main.F19, Main.F20, "
    " Main.F21, Main.F22, Main.F23, Main.F24, Main.F25, Main.F26, Main.F27, Main.F28, Main.F29, Main.F30, "
    " Main.F31, Main.F32, Main.F33, Main.F34, Main.F35, Main.F36, Main.F37, Main.F38, Main.F39, Main.F40 ");

QStringList descriptions(const FrequencyStore& store) {
    QStringList lines;
    for (int k = 0; k < store.count(); ++k)
        lines << store.at(k).Description;
    return lines;
}

} // namespace

TEST(QueryText, FullTableAndLetterQueriesAreByteForByte) {
    EXPECT_EQ(queryColumnList(), ColumnList);
    EXPECT_EQ(SearchQuery::all().sqlText(), ColumnList + " From Main ORDER BY Main.Description;");
    EXPECT_TRUE(SearchQuery::all().sqlText().contains(QStringLiteral("Main.F40  From Main")));
    EXPECT_EQ(SearchQuery::letter(QStringLiteral("m")).sqlText(),
              ColumnList + " From Main WHERE ((Main.Description Like 'm*')) ORDER BY Main.Description;");
}

TEST(QueryText, FindQueriesFollowTheTickedBoxes) {
    const QString tail = QStringLiteral(")) ORDER BY Main.Description;");
    EXPECT_EQ(SearchQuery::find(QStringLiteral("ab"), true, false, false).sqlText(),
              ColumnList +
                  " From Main WHERE ((Main.Description Like '*ab' Or Main.Description Like '*ab*' Or "
                  "Main.Description Like 'ab*'" +
                  tail);
    EXPECT_EQ(SearchQuery::find(QStringLiteral("ab"), false, true, false).sqlText(),
              ColumnList +
                  " From Main WHERE ((Main.Comments Like '*ab' Or Main.Comments Like '*ab*' Or "
                  "Main.Comments Like 'ab*'" +
                  tail);
    EXPECT_EQ(SearchQuery::find(QStringLiteral("ab"), true, true, false).sqlText(),
              ColumnList +
                  " From Main WHERE ((Main.Comments Like '*ab' Or Main.Comments Like '*ab*' Or "
                  "Main.Comments Like 'ab*' Or Main.Description Like '*ab' Or Main.Description Like "
                  "'*ab*' Or Main.Description Like 'ab*'" +
                  tail);
    QString freq = ColumnList + " From Main WHERE ((Main.F1 Like 528";
    for (int slot = 2; slot <= 40; ++slot)
        freq += QStringLiteral(" Or Main.F%1 Like 528").arg(slot);
    EXPECT_EQ(SearchQuery::find(QStringLiteral("528"), false, false, true).sqlText(), freq + tail);
}

TEST(FrequencyStore, OrdersByDescriptionIgnoringCaseAndKeepsEqualDescriptions) {
    DatabaseFixture db({record("cherry", "c"), record("Banana", "first"), record("apple", "a"),
                        record("Banana", "second"), record("Apricot", std::nullopt)});
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    EXPECT_EQ(descriptions(store), QStringList({"apple", "Apricot", "Banana", "Banana", "cherry"}));
    // Equal descriptions keep the order in which they were stored.
    EXPECT_EQ(store.at(2).Comments, QStringLiteral("first"));
    EXPECT_EQ(store.at(3).Comments, QStringLiteral("second"));
    EXPECT_EQ(store.position(), 0);
}

TEST(FrequencyStore, NullCommentsReadAsNullAndEmptyAsEmpty) {
    DatabaseFixture db({record("a", std::nullopt), record("b", QString(""))});
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    ASSERT_EQ(store.count(), 2);
    EXPECT_FALSE(store.at(0).Comments.has_value());
    ASSERT_TRUE(store.at(1).Comments.has_value());
    EXPECT_TRUE(store.at(1).Comments->isEmpty());
}

TEST(FrequencyStore, MoveToReachesAnyLineDirectly) {
    std::vector<FrequencyRecord> records;
    for (int i = 0; i < 500; ++i)
        records.push_back(
            record(QStringLiteral("set %1").arg(i, 3, 10, QLatin1Char('0')), QString::number(i)));
    DatabaseFixture db(records);
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    store.moveTo(499);
    ASSERT_NE(store.current(), nullptr);
    EXPECT_EQ(store.current()->Comments, QStringLiteral("499"));
    store.moveNext();
    EXPECT_TRUE(store.eof());
    EXPECT_EQ(store.current(), nullptr);
}

TEST(FrequencyStore, AddChangeAndDeleteReachTableMain) {
    DatabaseFixture db({record("Alpha", "one", {528, 727}), record("Beta", "two", {10})});
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));

    ASSERT_TRUE(store.addRecord(record("Gamma", "three", {7.83})));
    EXPECT_EQ(db.column("SELECT Comments FROM Main WHERE Description = 'Gamma'"), QStringList({"three"}));
    EXPECT_EQ(db.column("SELECT F1 FROM Main WHERE Description = 'Gamma'"), QStringList({"7.83"}));

    store.moveTo(1); // Beta
    ASSERT_TRUE(store.updateCurrent(record("Beta changed", "two!", {20, 0, 30})));
    EXPECT_EQ(db.column("SELECT Description FROM Main ORDER BY rowid"),
              QStringList({"Alpha", "Beta changed", "Gamma"}));
    EXPECT_EQ(db.column("SELECT F3 FROM Main WHERE Description = 'Beta changed'"), QStringList({"30.0"}));

    store.moveTo(0); // Alpha
    ASSERT_TRUE(store.deleteCurrent());
    EXPECT_EQ(db.column("SELECT Description FROM Main ORDER BY rowid"),
              QStringList({"Beta changed", "Gamma"}));
    EXPECT_EQ(*store.tableRowCount(), 2);
}

TEST(FrequencyStore, RefusesWhatIsNotAFrequencyDatabase) {
    QTemporaryDir dir;
    FrequencyStore store;
    EXPECT_FALSE(store.open(dir.filePath("missing.mdb")));
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.mdb")));
    QFile junk(dir.filePath("junk.mdb"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_FALSE(store.open(dir.filePath("junk.mdb")));
    EXPECT_FALSE(store.isOpen());
}
