#include "tools/ResultsReport.h"
#include "database/FrequencyStore.h"
#include "tools/GermanLocale.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace sono;

namespace {

FrequencyRecord record(const QString& description, std::optional<QString> comments,
                           std::vector<std::optional<double>> values = {}) {
    FrequencyRecord r;
    r.Description = description;
    r.Comments = std::move(comments);
    for (size_t i = 0; i < values.size(); ++i)
        r.F[i] = values[i];
    return r;
}

// A database with table Main holding `records`, opened with the full-table query.
class ReportDatabase {
public:
    explicit ReportDatabase(const std::vector<FrequencyRecord>& records) {
        const QString path = dir_.filePath(QStringLiteral("freqs.mdb"));
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        QByteArray schema = "CREATE TABLE Main (Description TEXT, Comments TEXT NULL";
        for (int slot = 1; slot <= 40; ++slot)
            schema += ", F" + QByteArray::number(slot) + " REAL";
        schema += ")";
        EXPECT_EQ(sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        EXPECT_TRUE(store.open(path).has_value());
        for (const FrequencyRecord& r : records)
            EXPECT_TRUE(store.addRecord(r).has_value());
        EXPECT_TRUE(store.refresh(SearchQuery::all()).has_value());
    }
    FrequencyStore store;

private:
    QTemporaryDir dir_;
};

const QDateTime FixedClock(QDate(2026, 12, 5), QTime(14, 5));

QByteArray lines(std::initializer_list<const char*> rows) {
    QByteArray out;
    for (const char* row : rows)
        out += QByteArray(row) + "\r\n";
    return out;
}

} // namespace

TEST(ResultsReport, AllOptionsGiveCommentsNullAndTheFrequencyLines) {
    ReportDatabase db({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528.0}),
                       record(QStringLiteral("beta"), std::nullopt)});
    const QByteArray report = resultsReportBytes(db.store, {true, true, true}, FixedClock);
    EXPECT_EQ(report,
              lines({"Frequency Selection   2:05 pm   5,Dec 2026", " ", "Alpha", "c1", "Frequencies:  528",
                     " ", "beta", "Null", "Frequencies: No Frequencies Listed - See Comments", " "}));
}

TEST(ResultsReport, NoOptionGivesHeaderSpacerAndDescriptions) {
    ReportDatabase db({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528.0}),
                       record(QStringLiteral("beta"), std::nullopt)});
    EXPECT_EQ(resultsReportBytes(db.store, {}, FixedClock),
              lines({"Frequency Selection   2:05 pm   5,Dec 2026", " ", "Alpha", "beta"}));
}

TEST(ResultsReport, EmptyRecordSetGivesOnlyTheHeaderAndSpacer) {
    ReportDatabase db({});
    EXPECT_EQ(resultsReportBytes(db.store, {true, true, true}, FixedClock),
              lines({"Frequency Selection   2:05 pm   5,Dec 2026", " "}));
}

TEST(ResultsReport, WalkLeavesTheRecordSetWhereItStoodAndReportsProgress) {
    ReportDatabase db({record(QStringLiteral("a"), {}), record(QStringLiteral("b"), {}),
                       record(QStringLiteral("c"), {})});
    db.store.moveTo(1);
    std::vector<int> seen;
    resultsReportBytes(db.store, {}, FixedClock, [&](int k) { seen.push_back(k); });
    EXPECT_EQ(db.store.position(), 1);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

TEST(ResultsReport, HeaderUsesTwelveHourClockAndEnglishMonths) {
    EXPECT_EQ(reportHeader(QDateTime(QDate(2027, 1, 1), QTime(0, 7))),
              "Frequency Selection   12:07 am   1,Jan 2027");
    EXPECT_EQ(reportHeader(QDateTime(QDate(2026, 7, 31), QTime(12, 0))),
              "Frequency Selection   12:00 pm   31,Jul 2026");
    EXPECT_EQ(reportHeader(QDateTime(QDate(2026, 3, 9), QTime(23, 59))),
              "Frequency Selection   11:59 pm   9,Mar 2026");
}

TEST(ResultsReport, MakeFreqStrSeparatesWithCommaAndSignBlank) {
    EXPECT_EQ("Frequencies: " + MakeFreqStr(record(QStringLiteral("x"), {}, {20.0, 727.0, 787.5})),
              "Frequencies:  20,  727,  787.5");
    // An unused F1 still leaves the separator before the next used slot.
    EXPECT_EQ("Frequencies: " + MakeFreqStr(record(QStringLiteral("x"), {}, {std::nullopt, 100.0})),
              "Frequencies: ,  100");
    EXPECT_EQ(MakeFreqStr(record(QStringLiteral("x"), {}, {0.0, 100.0})), ",  100");
    // Zero and negative values are passed over; values below 1 have no leading zero.
    EXPECT_EQ(MakeFreqStr(record(QStringLiteral("x"), {}, {0.5, -3.0, 0.0, 7.83})), " .5,  7.83");
    EXPECT_EQ(MakeFreqStr(record(QStringLiteral("x"), {}, {0.0, 0.0})), "");
    FrequencyRecord full = record(QStringLiteral("x"), {});
    for (auto& slot : full.F)
        slot = 1.0;
    EXPECT_EQ(MakeFreqStr(full).count(QStringLiteral(",  1")), 39);
}

TEST(ResultsReport, NumbersAndDatesIgnoreTheDesktopLocale) {
    ReportDatabase db({record(QStringLiteral("Gamma"), QStringLiteral("c"), {20.0, 727.0, 787.5, 0.5})});
    GermanLocale german;
    ASSERT_TRUE(german.active());
    EXPECT_EQ(resultsReportBytes(db.store, {false, true, false}, FixedClock),
              lines({"Frequency Selection   2:05 pm   5,Dec 2026", " ", "Gamma",
                     "Frequencies:  20,  727,  787.5,  .5"}));
}
