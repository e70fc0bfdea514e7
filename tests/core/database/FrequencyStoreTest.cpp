#include "core/database/FrequencyStore.h"
#include "core/database/RecordEdit.h"
#include "core/database/RecordText.h"
#include "support/core/DatabaseFixture.h"

#include <QFile>
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

QString like(const char* column) {
    return QStringLiteral("Main.%1 Like '*ab' Or Main.%1 Like '*ab*' Or Main.%1 Like 'ab*'").arg(column);
}

// The descriptions each search lists, joined by "|", the searches by "/".
QString found(FrequencyStore& store, std::initializer_list<SearchQuery> queries) {
    QStringList results;
    for (const SearchQuery& query : queries)
        results << (store.refresh(query) ? listed(store).join(u'|') : QStringLiteral("<failed>"));
    return results.join(u'/');
}

SearchQuery letter(const char* first) {
    return SearchQuery::letter(QString::fromUtf8(first));
}

SearchQuery frequency(const char* value) {
    return SearchQuery::find(value, false, false, true);
}

} // namespace

TEST(QueryText, IsByteForByteForEveryKindOfSearch) {
    EXPECT_EQ(SearchQuery::all().sqlText(), ColumnList + " From Main ORDER BY Main.Description;");
    EXPECT_EQ(SearchQuery::letter(QStringLiteral("m")).sqlText(),
              ColumnList + " From Main WHERE ((Main.Description Like 'm*')) ORDER BY Main.Description;");
    QString freq = QStringLiteral("Main.F1 Like 528");
    for (int slot = 2; slot <= 40; ++slot)
        freq += QStringLiteral(" Or Main.F%1 Like 528").arg(slot);
    const std::tuple<bool, bool, bool, QString> rows[] = {
        {true, false, false, like("Description")},
        {false, true, false, like("Comments")},
        {true, true, false, like("Comments") + " Or " + like("Description")},
        {false, false, true, freq}};
    for (const auto& [d, c, f, where] : rows)
        EXPECT_EQ(SearchQuery::find(f ? "528" : "ab", d, c, f).sqlText(),
                  ColumnList + " From Main WHERE ((" + where + ")) ORDER BY Main.Description;");
}

// The order must not come from the desktop's locale: the test binary runs under C.UTF-8.
TEST(FrequencyStore, EverySearchListsInOneOrderOfCaseAccentsAndEqualDescriptionsAndFoldsCaseNotAccents) {
    DatabaseFixture db({record("cherry", "c", {528, 528.00001}), record("Banana", "first", {528}),
                        record("apple", "", {528}), record("Bänana", "x", {528}),
                        record("Banana", "second", {528}), record("BANANA", "ÜBER", {528}),
                        record("Apricot", std::nullopt, {528}), record("banana", "x", {528}),
                        record("ÉLAN vital", "Über alles", {528}), record("elan", "uber", {528}),
                        record("_under", "x", {528}), record("Ärger", "x", {528})});
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    // Few hits are put in order by their keys, many by the whole list's order: both agree with it, and
    // a set holding two values that are both 528 is listed once.
    const QString byKeys = found(store, {frequency("528")});
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    QStringList lines;
    for (int k = 0; k < store.count(); ++k)
        lines << store.at(k).Description + "/" + store.at(k).Comments.value_or("<null>");
    EXPECT_EQ(lines.join(u'|'), "_under/x|apple/|Apricot/<null>|Ärger/x|banana/x|BANANA/ÜBER|Banana/first|"
                                "Banana/second|Bänana/x|cherry/c|elan/uber|ÉLAN vital/Über alles");
    EXPECT_EQ(byKeys, listed(store).join(u'|'));
    const QString bananas = "banana|BANANA|Banana|Banana|Bänana";
    EXPECT_EQ(found(store, {SearchQuery::find("nan", true, false, false), letter("B"), letter("é"),
                            letter("a"), SearchQuery::find("über", false, true, false)}),
              bananas + "/" + bananas + "/ÉLAN vital/apple|Apricot/BANANA|ÉLAN vital");
}

TEST(FrequencyStore, SonosSearchTablesAreAddedOrRebuiltOnOpenWithoutChangingAnySet) {
    DatabaseFixture db({record("Alpha", "one", {528, 727}), record("Beta", std::nullopt, {10, 0, 7.83})});
    const QString
        main = "SELECT quote(rowid) || quote(Description) || quote(Comments) || quote(F1) || quote(F2) "
               "|| quote(F3) || quote(F40) FROM Main ORDER BY rowid",
        sono = "SELECT name FROM sqlite_master WHERE name LIKE 'sono%' ORDER BY name";
    const QStringList additions = db.column(sono);
    ASSERT_EQ(additions.size(), 7);
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"DROP TRIGGER sono_main_insert; DROP TRIGGER sono_main_update; DROP TRIGGER sono_main_delete;"
         "DROP TABLE sono_order; DROP TABLE sono_freq; DROP TABLE sono_meta;",
         "a file Sono never opened", "Alpha/"},
        {"DROP TRIGGER sono_main_insert; INSERT INTO Main (Description, F1) VALUES ('Quince', 528);",
         "a set written while a trigger was missing", "Alpha|Quince/Quince"},
        {"UPDATE sono_meta SET value = 0 WHERE name = 'version'; DELETE FROM sono_freq;", "another version",
         "Alpha|Quince/Quince"},
        {"UPDATE sono_meta SET value = 0 WHERE name = 'version';"
         "INSERT INTO Main (rowid, Description, F1) VALUES (5000000000, 'Zeta', 528);",
         "a row id set by hand beyond 32 bits", "Alpha|Quince|Zeta/Quince"}};
    for (const auto& [change, description, expected] : cases) {
        SCOPED_TRACE(description);
        db.sqlite3Tool(QString::fromUtf8(change));
        const QStringList before = db.column(main);
        {
            FrequencyStore store;
            ASSERT_TRUE(store.open(db.path()));
            EXPECT_EQ(found(store, {frequency("528"), letter("q")}), expected);
        }
        EXPECT_EQ(db.column(main), before);
        EXPECT_EQ(db.column(sono), additions);
    }
}

TEST(StarterDatabase, CommentsReadCleanlyAndTheSearchCodeFindsTheHundredNotes) {
    const DatabaseFixture db({});
    ASSERT_TRUE(QFile::remove(db.path()) && QFile::copy(QStringLiteral(SONO_TEST_STARTER_DB), db.path()));
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    EXPECT_EQ(store.count(), 238);
    for (int k = 0; k < store.count(); ++k)
        EXPECT_FALSE(store.at(k).Comments.value_or(QString()).startsWith(QStringLiteral("mkn"))) << k;
    // The CC-Meditation help sends users to the code "mkn" for the notes.
    ASSERT_TRUE(store.refresh(SearchQuery::find(QStringLiteral("mkn"), false, true, false)));
    EXPECT_EQ(listed(store).filter(QStringLiteral(" Note")).size(), 100);
    EXPECT_EQ(store.count(), 100);
}

// Sono's own edits and those of the sqlite3 tool while Sono has the file open reach the next search.
TEST(FrequencyStore, EditsBySonoAndBySqlite3ReachTableMainAndTheSearchTables) {
    DatabaseFixture db({record("Alpha", "one", {528, 727}), record("Beta", "two", {10})});
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    db.sqlite3Tool("INSERT INTO Main (Description, Comments, F1, F2) VALUES ('Ärger', 'x', 528, '7.83');"
                   "UPDATE Main SET Description = 'mango', F1 = 432 WHERE Description = 'Beta';");
    EXPECT_EQ(found(store, {letter("m"), letter("b"), frequency("432"), frequency("10"), frequency("528"),
                            frequency("7.83")}),
              "mango//mango//Alpha|Ärger/Ärger");

    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    ASSERT_TRUE(store.addRecord(record("Gamma", "three", {7.83})));
    store.moveTo(3); // mango, after Alpha, Ärger and Gamma
    ASSERT_TRUE(store.updateCurrent(record("Beta changed", "two!", {20, 0, 30})));
    store.moveTo(0); // Alpha
    ASSERT_TRUE(store.deleteCurrent());
    EXPECT_EQ(
        db.column("SELECT Description || '|' || Comments || '|' || F1 || '|' || F3 FROM Main ORDER BY rowid"),
        QStringList({"Beta changed|two!|20.0|30.0", "Ärger|x|528.0|0.0", "Gamma|three|7.83|0.0"}));
    EXPECT_EQ(*store.tableRowCount(), 3);
    EXPECT_EQ(found(store, {frequency("30"), frequency("432"), frequency("7.83"), frequency("528"),
                            SearchQuery::all()}),
              "Beta changed//Ärger|Gamma/Ärger/Ärger|Beta changed|Gamma");
}

TEST(RecordEditText, SlotsKeepEveryDigitAndBadBoxesAreNamed) {
    // Nothing is lost by opening and saving.
    EXPECT_EQ(slotEditText(7.83) + "|" + slotEditText(std::nullopt) + "|" + slotEditText(123456.789),
              "7.83|0|123456.789");
    QStringList boxes(40, QStringLiteral("0"));
    boxes[0] = "528";
    boxes[1] = " 7.83 ";
    EXPECT_EQ(recordFromEditor("Set", "c", boxes).value().F[1], 7.83);
    EXPECT_EQ(recordFromEditor("", "c", boxes).error().title, "No Data In Description");
    EXPECT_EQ(commentsText(record("Zero", "", {})) + commentsText(*recordFromEditor("Set", "", boxes)),
              NoCommentsText + NoCommentsText);
    boxes[11] = "12a"; // the first bad box is the one named
    boxes[39] = "x";
    const auto bad = recordFromEditor("Set", "c", boxes);
    EXPECT_TRUE(!bad && bad.error().text.startsWith("F12 holds \"12a\""));
}
