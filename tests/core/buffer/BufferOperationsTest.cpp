#include "core/buffer/BufferOperations.h"
#include "support/core/DatabaseFiles.h"

#include <gtest/gtest.h>

using namespace sono;

TEST(SendToBuffer, StoresOnlyPositiveSlotsKeepsACopyAndAFullBufferRefuses) {
    FrequencyBuffer buffer;
    ASSERT_TRUE(
        sendToBuffer(buffer, test::record("Alpha", QString(), {100, 0, 200, -5}), " 100,  200", false));
    const BufferEntry& a = buffer.entries[1];
    EXPECT_EQ(a.Comments + "|" + a.FrequencyText, "No Comment| 100,  200");
    EXPECT_TRUE(a.Freq[2] == 200 && a.Freq[3] == 0 && a.SavedFreq == a.Freq);
    for (int i = 2; i <= FrequencyBuffer::Capacity; ++i)
        ASSERT_TRUE(sendToBuffer(buffer, test::record("B", QString(), {1}), " 1", false));
    EXPECT_TRUE(
        sendToBuffer(buffer, test::record("C", QString(), {2}), " 2", false).error().contains("full"));
    EXPECT_EQ(buffer.BufferNext, FrequencyBuffer::Capacity + 1);
    EXPECT_EQ(buffer.entries[FrequencyBuffer::Capacity].Description, "B");
}

TEST(FrequencyText, StopsAtTheFirstEmptySlotAndHasNoTrailingSeparator) {
    BufferEntry entry;
    for (size_t j = 0; j < 40; ++j)
        entry.Freq[j] = static_cast<float>(j + 1) / 2;
    const QString all = frequencyText(entry);
    EXPECT_EQ(all.count(u','), 39);
    EXPECT_TRUE(all.startsWith(QStringLiteral(" .5,  1,  1.5")) && all.endsWith(QStringLiteral(",  20")));
    entry.Freq[1] = 0;
    EXPECT_EQ(frequencyText(entry), " .5");
}

TEST(BufferReport, HourAndCapLinesOfAnEmptyBuffer) {
    const std::tuple<QTime, const char16_t*, const char*, const char*> rows[] = {
        {QTime(12, 30), u"abc", "12:30 pm", "Frequencies are not Capped."},
        {QTime(0, 5), u"0", "12:05 am", "Frequencies are not Capped."},
        {QTime(9, 0), u"2.5kHz", "9:00 am", "Frequencies are Capped at :  2.5kHz"}};
    FrequencyBuffer empty;
    for (const auto& [time, cap, hour, capLine] : rows)
        EXPECT_EQ(bufferReport(empty, cap, "T", QDateTime(QDate(2026, 7, 4), time)),
                  "T : Frequency Selection   " + QByteArray(hour) + "    4, Jul 2026\r\n \r\n" + capLine +
                      "\r\n \r\n \r\n");
}

// Each text as it was sent; a cap folds the frequencies above it for the report only, and every text is
// rebuilt. A deleted entry's followers move up whole.
TEST(BufferReport, EntriesCapAndDelete) {
    FrequencyBuffer buffer;
    ASSERT_TRUE(sendToBuffer(buffer, test::record("Alpha", "first", {20000, 12000, 4800, 5000}),
                             " 20000,  12000,  4800,  5000", false));
    ASSERT_TRUE(
        sendToBuffer(buffer, test::record("Beta", QString(), {7.83, 10, 0, 500}), " 7.83,  10,  500", false));
    const QDateTime when(QDate(2026, 12, 5), QTime(15, 7));
    QByteArray expected =
        "T : Frequency Selection   3:07 pm    5, Dec 2026\r\n \r\nFrequencies are not Capped.\r\n"
        " \r\n \r\nAlpha\r\nfirst\r\nFrequencies:  20000,  12000,  4800,  5000\r\n \r\n"
        "Beta\r\nNo Comment\r\nFrequencies:  7.83,  10,  500\r\n \r\n";
    EXPECT_EQ(bufferReport(buffer, u"0", "T", when), expected);
    EXPECT_EQ(bufferReport(buffer, u"5", "T", when), QByteArray(expected)
                                                         .replace("not Capped.", "Capped at :  5kHz")
                                                         .replace("20000,  12000", "5000,  3000")
                                                         .replace("10,  500", "10"));
    // The frequencies are back, the texts rebuilt.
    EXPECT_EQ(bufferReport(buffer, u"0", "T", when), expected.replace("10,  500", "10"));
    ASSERT_TRUE(deleteBufferEntry(buffer, 1));
    EXPECT_EQ(buffer.BufferNext, 2);
    EXPECT_EQ(buffer.entries[1].Description + buffer.entries[2].Description, "Beta");
    EXPECT_EQ(buffer.entries[1].Freq[3], 500);
    EXPECT_FALSE(deleteBufferEntry(buffer, 2));
}
