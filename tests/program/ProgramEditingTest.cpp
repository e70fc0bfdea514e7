#include "program/ProgramEditing.h"
#include "program/CapAndDuplicates.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

ProgramTable tableOf(std::initializer_list<std::pair<float, qint16>> steps) {
    ProgramTable table;
    for (const auto& [freq, time] : steps) {
        ++table.StepCount;
        table.StepFreq[static_cast<size_t>(table.StepCount)] = freq;
        table.StepTime[static_cast<size_t>(table.StepCount)] = time;
        table.StepNo[static_cast<size_t>(table.StepCount)] = table.StepCount;
    }
    return table;
}

std::vector<float> freqs(const ProgramTable& table) {
    return {table.StepFreq.begin() + 1, table.StepFreq.begin() + 1 + table.StepCount};
}
std::vector<qint16> times(const ProgramTable& table) {
    return {table.StepTime.begin() + 1, table.StepTime.begin() + 1 + table.StepCount};
}

} // namespace

TEST(CellValues, ReadLeadingNumbersAndHoldTimesToSixteenBits) {
    EXPECT_FLOAT_EQ(cellFrequency(u"12.5Hz"), 12.5f);
    EXPECT_EQ(cellFrequency(u"abc"), 0.0f);
    EXPECT_EQ(cellFrequency(u"1e60"), 0.0f); // beyond single precision
    EXPECT_EQ(cellTime(u"2.5"), 2);
    EXPECT_EQ(cellTime(u"3.5"), 4);
    EXPECT_EQ(cellTime(u"40000"), 32767);
    EXPECT_EQ(cellTime(u"-99999"), -32768);
}

TEST(TakeTable, ReadsEveryRowAndClearsTheRest) {
    ProgramTable table = tableOf({{1, 1}, {2, 2}, {3, 3}});
    takeTableFromCells({{"3", "528", "60"}, {"1", "7.83x", "2.5"}}, table);
    EXPECT_EQ(table.StepCount, 2);
    EXPECT_EQ(freqs(table), (std::vector<float>{528, 7.83f}));
    EXPECT_EQ(times(table), (std::vector<qint16>{60, 2}));
    EXPECT_EQ(table.StepNo[1], 3);
    EXPECT_EQ(table.StepNo[2], 1);
    EXPECT_EQ(table.StepFreq[3], 0);
    EXPECT_EQ(table.StepTime[3], 0);

    std::vector<GridRowText> many(2001, GridRowText{"1", "100", "1"});
    takeTableFromCells(many, table);
    EXPECT_EQ(table.StepCount, 2000);
}

TEST(SortRows, StableInBothDirectionsAndNoSortRestoresEntryOrder) {
    std::vector<GridRowText> rows = {
        {"1", "100", "10"}, {"2", "7.83", "20"}, {"3", "2000", "30"}, {"4", "100", "40"}, {"5", "abc", "50"}};
    sortRows(rows, 1);
    QStringList order;
    for (const auto& r : rows)
        order << r[0];
    EXPECT_EQ(order, QStringList({"3", "1", "4", "2", "5"})); // equal 100s keep their order
    EXPECT_EQ(rows[1][2], "10");                              // times travel with their rows
    sortRows(rows, 0);
    order.clear();
    for (const auto& r : rows)
        order << r[0];
    EXPECT_EQ(order, QStringList({"5", "2", "1", "4", "3"}));
    sortRows(rows, 2);
    order.clear();
    for (const auto& r : rows)
        order << r[1];
    EXPECT_EQ(order, QStringList({"100", "7.83", "2000", "100", "abc"}));
}

TEST(BufferToTable, TakesTheFirstTwoThousandOfMore) {
    FrequencyBuffer buffer;
    for (int e = 1; e <= 51; ++e) {
        BufferEntry& entry = buffer.entries[static_cast<size_t>(e)];
        for (int j = 0; j < 40; ++j)
            entry.Freq[static_cast<size_t>(j)] = static_cast<float>(e * 100 + j);
    }
    buffer.BufferNext = 51;
    ProgramTable table;
    EXPECT_FALSE(bufferToTable(buffer, table).truncated); // exactly 2000
    EXPECT_EQ(table.StepCount, 2000);
    buffer.BufferNext = 52;
    EXPECT_TRUE(bufferToTable(buffer, table).truncated);
    EXPECT_EQ(table.StepCount, 2000);
    EXPECT_EQ(table.StepFreq[2000], 5039.0f);
}

TEST(InsertStep, RefusesBadInputAndAFullTableUnchanged) {
    const ProgramTable before = tableOf({{1, 1}, {2, 2}});
    const struct {
        const char16_t* freq;
        const char16_t* time;
        const char* message;
    } cases[] = {{u"", u"5", "Both Frequency and Time inputs require data!"},
                 {u"5", u"", "Both Frequency and Time inputs require data!"},
                 {u"12abc", u"5", "The frequency must be"},
                 {u"1e60", u"5", "The frequency must be"},
                 {u"5", u"x", "The time must be"},
                 {u"5", u"40000", "The time must be"}};
    for (const auto& c : cases) {
        ProgramTable table = before;
        auto result = insertStep(table, 1, true, c.freq, c.time);
        ASSERT_FALSE(result);
        EXPECT_TRUE(result.error().startsWith(QString::fromLatin1(c.message)))
            << result.error().toStdString();
        EXPECT_EQ(freqs(table), freqs(before));
    }
    ProgramTable full;
    full.StepCount = 2000;
    auto result = insertStep(full, 1, true, u"5", u"5");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error(), "Too may frequencies, 2000 limit");
    EXPECT_EQ(full.StepCount, 2000);
}

TEST(DeleteStep, LaterStepsMoveUp) {
    ProgramTable table = tableOf({{1, 10}, {2, 20}, {3, 30}});
    ASSERT_TRUE(deleteStep(table, 1));
    EXPECT_EQ(freqs(table), (std::vector<float>{2, 3}));
    EXPECT_EQ(times(table), (std::vector<qint16>{20, 30}));
    ASSERT_TRUE(deleteStep(table, 2));
    EXPECT_EQ(freqs(table), (std::vector<float>{2}));
    EXPECT_FALSE(deleteStep(table, 2));
    EXPECT_FALSE(deleteStep(table, 0));
}

TEST(Spinner, StepsWithinTheRanges) {
    EXPECT_EQ(steppedValue(u"180", 2, 10), 190);
    EXPECT_EQ(steppedValue(u"32765", 2, 10), 32767);
    EXPECT_EQ(steppedValue(u"-32768", 2, -1), -32768);
    EXPECT_FLOAT_EQ(static_cast<float>(steppedValue(u"7.83", 1, 1)), 8.83f);
    EXPECT_EQ(steppedValue(u"5", 1, -10), 0);
}

TEST(CapAndDuplicates, CapFoldsByOctavesAboveTheCapOnly) {
    ProgramTable table = tableOf({{25000, 1}, {10000, 2}, {10001, 3}, {500, 4}});
    auto report = capAndRemoveDuplicates(table, u"10", false);
    ASSERT_TRUE(report);
    EXPECT_EQ(freqs(table), (std::vector<float>{6250, 10000, 5000.5f, 500}));
    EXPECT_EQ(times(table), (std::vector<qint16>{1, 2, 3, 4}));
    EXPECT_EQ(report->capped, QStringList({" 25000", " 10001"}));
    EXPECT_EQ(report->cappedCaption(), " 2 Frequencies Capped.");
    EXPECT_EQ(report->duplicateCaption(), " 0 Duplicates found.");

    table = tableOf({{2000, 1}, {100, 1}});
    ASSERT_TRUE(capAndRemoveDuplicates(table, u".5", false));
    EXPECT_EQ(freqs(table), (std::vector<float>{500, 100}));
}

TEST(CapAndDuplicates, CapsAboveSixteenBitsWork) {
    ProgramTable table = tableOf({{100000, 1}, {40000, 2}});
    auto report = capAndRemoveDuplicates(table, u"40", false);
    ASSERT_TRUE(report);
    EXPECT_EQ(freqs(table), (std::vector<float>{25000, 40000}));
    table = tableOf({{100000, 1}});
    ASSERT_TRUE(capAndRemoveDuplicates(table, u"1e300", false));
    EXPECT_EQ(freqs(table), (std::vector<float>{100000}));
}

TEST(CapAndDuplicates, CapUnderOneHertzIsRefusedUnchanged) {
    for (const char16_t* cap : {u"0", u"-3", u"abc", u" ", u".0004"}) {
        ProgramTable table = tableOf({{25000, 1}, {25000, 2}});
        auto report = capAndRemoveDuplicates(table, cap, true);
        ASSERT_FALSE(report);
        EXPECT_EQ(report.error(), CapValueErrorText);
        EXPECT_EQ(freqs(table), (std::vector<float>{25000, 25000}));
    }
    EXPECT_EQ(CapValueErrorText,
              "You have chosen to 'Cap' frequencies.\n\nEnter a Cap value greater than 1 (1kHz)\n\n"
              "Values of 10 or 20 are common.\n\nThe Cap Value is the highest frequency\n\r"
              "your Frequency Generator can produce,\n\rand your Vero Machine can cope with.");
}

TEST(CapAndDuplicates, EveryLaterCopyGoesInOneApply) {
    ProgramTable table = tableOf({{100, 1}, {200, 2}, {100, 3}, {300, 4}});
    auto report = capAndRemoveDuplicates(table, u"", true);
    ASSERT_TRUE(report);
    EXPECT_EQ(freqs(table), (std::vector<float>{100, 200, 300}));
    EXPECT_EQ(times(table), (std::vector<qint16>{1, 2, 4}));
    EXPECT_EQ(report->duplicateCaption(), " 1 Duplicates found.");

    table = tableOf({{100, 1}, {100, 2}, {100, 3}, {0, 4}, {0, 5}, {7.83f, 6}, {100, 7}});
    report = capAndRemoveDuplicates(table, u"", true);
    ASSERT_TRUE(report);
    EXPECT_EQ(freqs(table), (std::vector<float>{100, 0, 0, 7.83f}));
    EXPECT_EQ(report->duplicates, QStringList({" 100", " 100", " 100"}));
    EXPECT_EQ(table.StepCount, 4);
    EXPECT_EQ(table.StepFreq[5], 0);

    table = tableOf({{100, 1}, {100, 2}});
    report = capAndRemoveDuplicates(table, u"", false);
    ASSERT_TRUE(report);
    EXPECT_EQ(table.StepCount, 2);
}

TEST(CapAndDuplicates, FoldedFrequenciesCanBecomeDuplicates) {
    ProgramTable table = tableOf({{500, 1}, {1000, 2}, {2000, 3}});
    auto report = capAndRemoveDuplicates(table, u".5", true);
    ASSERT_TRUE(report);
    EXPECT_EQ(freqs(table), (std::vector<float>{500}));
    EXPECT_EQ(report->cappedCount(), 2);
    EXPECT_EQ(report->duplicateCount(), 2);
}
