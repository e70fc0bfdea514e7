#include "database/FrequencyStore.h"
#include "database/DatabaseFixture.h"
#include "database/RecordEdit.h"
#include "database/RecordText.h"

#include <QFile>
#include <QTemporaryDir>
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

} // namespace

TEST(QueryText, IsByteForByteForEveryKindOfSearch) {
    EXPECT_EQ(SearchQuery::all().sqlText(), ColumnList + " From Main ORDER BY Main.Description;");
    EXPECT_EQ(SearchQuery::letter(QStringLiteral("m")).sqlText(),
              ColumnList + " From Main WHERE ((Main.Description Like 'm*')) ORDER BY Main.Description;");
    QString freq = QStringLiteral("Main.F1 Like 528");
    for (int slot = 2; slot <= 40; ++slot)
        freq += QStringLiteral(" Or Main.F%1 Like 528").arg(slot);
    const struct {
        bool d, c, f;
        QString where;
    } rows[] = {{true, false, false, like("Description")},
                {false, true, false, like("Comments")},
                {true, true, false, like("Comments") + " Or " + like("Description")},
                {false, false, true, freq}};
    for (const auto& row : rows) {
        const QString text = row.f ? QStringLiteral("528") : QStringLiteral("ab");
        EXPECT_EQ(SearchQuery::find(text, row.d, row.c, row.f).sqlText(),
                  ColumnList + " From Main WHERE ((" + row.where + ")) ORDER BY Main.Description;");
    }
}

TEST(FrequencyStore, OrdersByDescriptionKeepsEqualOnesAndReadsNullComments) {
    DatabaseFixture db({record("cherry", "c"), record("Banana", "first"), record("apple", ""),
                        record("Banana", "second"), record("Apricot", std::nullopt)});
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    QStringList lines;
    for (int k = 0; k < store.count(); ++k)
        lines << store.at(k).Description + "/" + store.at(k).Comments.value_or("<null>");
    EXPECT_EQ(lines, QStringList({"apple/", "Apricot/<null>", "Banana/first", "Banana/second", "cherry/c"}));
}

TEST(StarterDatabase, CommentsReadCleanlyAndTheSearchCodeFindsTheHundredNotes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("freqs.mdb"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(SONO_TEST_STARTER_DB), path));
    FrequencyStore store;
    ASSERT_TRUE(store.open(path));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    ASSERT_EQ(store.count(), 238);
    QStringList stray;
    for (int k = 0; k < store.count(); ++k)
        if (store.at(k).Comments.value_or(QString()).startsWith(QStringLiteral("mkn")))
            stray << store.at(k).Description;
    EXPECT_EQ(stray, QStringList());
    // The CC-Meditation help sends users to the code "mkn" for the notes.
    ASSERT_TRUE(store.refresh(SearchQuery::find(QStringLiteral("mkn"), false, true, false)));
    EXPECT_EQ(store.count(), 100);
    for (int k = 0; k < store.count(); ++k)
        EXPECT_TRUE(store.at(k).Description.contains(QStringLiteral(" Note")))
            << store.at(k).Description.toStdString();
}

TEST(FrequencyStore, AddChangeAndDeleteReachTableMain) {
    DatabaseFixture db({record("Alpha", "one", {528, 727}), record("Beta", "two", {10})});
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.refresh(SearchQuery::all()));
    const char* const rows =
        "SELECT Description || '|' || Comments || '|' || F1 || '|' || F3 FROM Main ORDER BY rowid";

    ASSERT_TRUE(store.addRecord(record("Gamma", "three", {7.83})));
    EXPECT_EQ(db.column(rows),
              QStringList({"Alpha|one|528.0|0.0", "Beta|two|10.0|0.0", "Gamma|three|7.83|0.0"}));
    store.moveTo(1); // Beta
    ASSERT_TRUE(store.updateCurrent(record("Beta changed", "two!", {20, 0, 30})));
    store.moveTo(0); // Alpha
    ASSERT_TRUE(store.deleteCurrent());
    EXPECT_EQ(db.column(rows), QStringList({"Beta changed|two!|20.0|30.0", "Gamma|three|7.83|0.0"}));
    EXPECT_EQ(*store.tableRowCount(), 2);
}

TEST(RecordFreqText, ListsUsedSlotsWithSignBlanks) {
    EXPECT_EQ(recordFreqText(record("x", "", {528, 727})), " 528,  727");
    EXPECT_EQ(recordFreqText(record("x", "", {0, 727})), ",  727");
    EXPECT_EQ(recordFreqText(record("x", "", {})), "");
    EXPECT_EQ(recordFreqText(record("x", "", {7.83, -5, 0.5})), " 7.83,  .5");
    FrequencyRecord missing = record("x", "", {});
    missing.F[0].reset();
    missing.F[39] = 25000;
    EXPECT_EQ(recordFreqText(missing), ",  25000");
}

TEST(RecordEditText, SlotsKeepEveryDigitAndBadBoxesAreNamed) {
    EXPECT_EQ(slotEditText(7.83), "7.83");
    EXPECT_EQ(slotEditText(std::nullopt), "0");
    EXPECT_EQ(slotEditText(123456.789), "123456.789"); // nothing lost by opening and saving

    QStringList boxes(40, QStringLiteral("0"));
    boxes[0] = "528";
    boxes[1] = " 7.83 ";
    auto full = recordFromEditor("Set", "c", boxes);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->F[0], 528.0);
    EXPECT_EQ(full->F[1], 7.83);

    boxes[11] = "12a"; // the first bad box is the one named
    boxes[39] = "x";
    auto bad = recordFromEditor("Set", "c", boxes);
    ASSERT_FALSE(bad);
    EXPECT_TRUE(bad.error().text.startsWith("F12 holds \"12a\"")) << bad.error().text.toStdString();
}
