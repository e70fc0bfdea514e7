#include "core/tools/ResultsReport.h"
#include "core/database/RecordText.h"
#include "support/core/DatabaseFixture.h"
#include "support/core/GermanLocale.h"

#include <gtest/gtest.h>

using namespace sono;
using sono::test::record;

namespace {

// The report of `records` found by the full-table query, read through the report's own connection.
QByteArray report(const std::vector<FrequencyRecord>& records, ReportOptions options,
                  const std::function<bool(int)>& progress = {}) {
    const test::DatabaseFixture db(records);
    auto bytes = resultsReportBytes(db.path(), SearchQuery::all(), options,
                                    QDateTime(QDate(2026, 12, 5), QTime(14, 5)), progress);
    EXPECT_TRUE(bytes) << bytes.error().toStdString();
    return bytes.value_or("");
}

// The header line, a blank line, then `rows`.
QByteArray lines(std::initializer_list<const char*> rows) {
    QByteArray out("Frequency Selection   2:05 pm   5,Dec 2026\r\n \r\n");
    for (const char* row : rows)
        out += QByteArray(row) + "\r\n";
    return out;
}

} // namespace

// Numbers and dates ignore the desktop's locale.
TEST(ResultsReport, OptionsChooseCommentsFrequenciesAndBlankLines) {
    GermanLocale german;
    ASSERT_TRUE(german.active());
    const std::vector sets{record("Alpha", "c1", {528.0, 787.5, 0.5}), record("beta", std::nullopt)};
    EXPECT_EQ(report(sets, {true, true, true}),
              lines({"Alpha", "c1", "Frequencies:  528,  787.5,  .5", " ", "beta", "Null",
                     "Frequencies: No Frequencies Listed - See Comments", " "}));
    EXPECT_EQ(report(sets, {false, true, false}),
              lines({"Alpha", "Frequencies:  528,  787.5,  .5", "beta",
                     "Frequencies: No Frequencies Listed - See Comments"}));
    EXPECT_EQ(report(sets, {}), lines({"Alpha", "beta"}));
    EXPECT_EQ(report({}, {true, true, true}), lines({}));
}

TEST(ResultsReport, HeaderUsesTwelveHourClockAndEnglishMonths) {
    const std::pair<QDateTime, const char*> rows[] = {
        {QDateTime(QDate(2027, 1, 1), QTime(0, 7)), "12:07 am   1,Jan 2027"},
        {QDateTime(QDate(2026, 7, 31), QTime(12, 0)), "12:00 pm   31,Jul 2026"},
        {QDateTime(QDate(2026, 3, 9), QTime(23, 59)), "11:59 pm   9,Mar 2026"}};
    for (const auto& [when, text] : rows)
        EXPECT_EQ(reportHeader(when), "Frequency Selection   " + QString::fromLatin1(text));
}

TEST(ResultsReport, MakeFreqStrAndTheRecordsListSeparateWithCommaAndSignBlank) {
    const std::pair<FrequencyRecord, QString> rows[] = {
        {record("x", {}, {20, 727, 787.5}), " 20,  727,  787.5"},
        {[] {
             auto r = record("x", {}, {1, 100});
             return r.F[0].reset(), r;
         }(),
         ",  100"},                                          // F1 null
        {record("x", {}, {0, 100}), ",  100"},               // an unused F1 still leaves the separator
        {record("x", {}, {0.5, -3, 0, 7.83}), " .5,  7.83"}, // zero and below passed over, no leading zero
        {record("x", {}, {0, 0}), ""},
        {record(QStringLiteral("x"), {}, std::vector<double>(40, 1.0)), " 1" + QString(",  1").repeated(39)},
    };
    for (const auto& [r, expected] : rows)
        EXPECT_EQ(MakeFreqStr(r), expected);
}

TEST(ResultsReport, ProgressCountsTheSetsAndCanStopTheReport) {
    const std::vector sets = {record("A", {}), record("B", {}), record("C", {})};
    QList<int> seen;
    EXPECT_EQ(report(sets, {}, [&](int k) { return seen << k, k < 2; }), lines({"A"}));
    EXPECT_EQ(seen, QList<int>({1, 2}));
    EXPECT_EQ(report(sets, {}, [](int) { return true; }), lines({"A", "B", "C"}));
}
