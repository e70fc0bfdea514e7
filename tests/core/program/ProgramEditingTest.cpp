#include "core/program/ProgramEditing.h"
#include "core/program/CapAndDuplicates.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

// Step k has time k and label k.
ProgramTable tableOf(const std::vector<float>& steps) {
    ProgramTable table;
    for (float freq : steps) {
        const auto k = static_cast<size_t>(++table.StepCount);
        table.StepFreq[k] = freq;
        table.StepTime[k] = table.StepNo[k] = table.StepCount;
    }
    return table;
}

std::vector<float> freqs(const ProgramTable& table) {
    return {table.StepFreq.begin() + 1, table.StepFreq.begin() + 1 + table.StepCount};
}

} // namespace

TEST(CellValues, LeadingNumbersSixteenBitTimesAndTheSpinner) {
    // 1e60 is beyond single precision.
    EXPECT_EQ(QList<float>({cellFrequency(u"12.5Hz"), cellFrequency(u"abc"), cellFrequency(u"1e60")}),
              QList<float>({12.5f, 0, 0}));
    EXPECT_EQ(QList<qint16>({cellTime(u"2.5"), cellTime(u"3.5"), cellTime(u"-99999")}),
              QList<qint16>({2, 4, -32768}));
    EXPECT_EQ(QList<double>({steppedValue(u"-32768", 2, -1), steppedValue(u"5", 1, -10)}),
              QList<double>({-32768, 0}));
    EXPECT_FLOAT_EQ(static_cast<float>(steppedValue(u"7.83", 1, 1)), 8.83f);
}

TEST(TakeTable, ReadsEveryRowAndClearsTheRest) {
    ProgramTable table = tableOf({1, 2, 3});
    takeTableFromCells({{"3", "528", "60"}, {"1", "7.83x", "2.5"}}, table);
    EXPECT_EQ(freqs(table), (std::vector<float>{528, 7.83f}));
    EXPECT_EQ(table.StepTime[2], 2);
    EXPECT_EQ(table.StepFreq[3] + table.StepTime[3], 0);
    takeTableFromCells(std::vector<GridRowText>(2001, GridRowText{"1", "100", "1"}), table);
    EXPECT_EQ(table.StepCount, 2000);
}

TEST(SortRows, StableInBothDirectionsAndNoSortRestoresEntryOrder) {
    std::vector<GridRowText> rows = {
        {"1", "100", "10"}, {"2", "7.83", "20"}, {"3", "2000", "30"}, {"4", "100", "40"}, {"5", "abc", "50"}};
    auto sorted = [&](int mode, size_t col) {
        sortRows(rows, mode);
        QStringList texts;
        for (const auto& r : rows)
            texts << r[col];
        return texts;
    };
    EXPECT_EQ(sorted(1, 0), QStringList({"3", "1", "4", "2", "5"})); // equal 100s keep their order
    EXPECT_EQ(rows[1][2], "10");                                     // times travel with their rows
    EXPECT_EQ(sorted(0, 0), QStringList({"5", "2", "1", "4", "3"}));
    EXPECT_EQ(sorted(2, 1), QStringList({"100", "7.83", "2000", "100", "abc"}));
}

// A non-empty cap folds by halving; every later copy goes in one apply, including folded ones.
TEST(CapAndDuplicates, CapsFoldAndDuplicatesGo) {
    const std::tuple<std::vector<float>, const char16_t*, bool, std::vector<float>, int, QStringList> rows[] =
        {
            {{100000, 40000, 2000}, u"40", false, {25000, 40000, 2000}, 1, {}},
            {{100000}, u"1e300", false, {100000}, 0, {}},
            {{100, 100}, u"", false, {100, 100}, 0, {}},
            {{500, 1000, 2000}, u".5", true, {500}, 2, {" 500", " 500"}},
            {{100, 100, 100, 0, 0, 7.83f, 100}, u"", true, {100, 0, 0, 7.83f}, 0, {" 100", " 100", " 100"}},
        };
    ProgramTable table;
    for (const auto& [steps, cap, dedupe, expected, capped, duplicates] : rows) {
        table = tableOf(steps);
        const auto report = capAndRemoveDuplicates(table, cap, dedupe).value();
        EXPECT_EQ(freqs(table), expected);
        EXPECT_EQ(report.cappedCount(), capped);
        EXPECT_EQ(report.duplicates, duplicates);
    }
    EXPECT_EQ(table.StepTime[4], 6); // times travel with their steps
    EXPECT_EQ(table.StepFreq[5], 0);
}
