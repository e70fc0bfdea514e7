#include "core/buffer/BufferOperations.h"

#include <gtest/gtest.h>

using namespace sono;

TEST(SendToBuffer, StoresOnlyPositiveSlotsAndKeepsACopy) {
    FrequencyRecord record;
    record.Description = QStringLiteral("Alpha");
    record.Comments = QString();
    record.F[0] = 100;
    record.F[2] = 200;
    record.F[3] = -5;
    FrequencyBuffer buffer;
    ASSERT_TRUE(sendToBuffer(buffer, record, " 100,  200", false));
    const BufferEntry& a = buffer.entries[1];
    EXPECT_EQ(a.Comments, "No Comment");
    EXPECT_EQ(a.FrequencyText, " 100,  200");
    EXPECT_EQ(a.Freq[2], 200);
    EXPECT_EQ(a.Freq[3], 0);
    EXPECT_EQ(a.SavedFreq, a.Freq);
}

TEST(FrequencyText, StopsAtTheFirstEmptySlotAndHasNoTrailingSeparator) {
    BufferEntry entry;
    for (size_t j = 0; j < 40; ++j)
        entry.Freq[j] = static_cast<float>(j + 1) / 2;
    const QString all = frequencyText(entry);
    EXPECT_EQ(all.count(u','), 39);
    EXPECT_TRUE(all.startsWith(QStringLiteral(" .5,  1,  1.5")));
    EXPECT_TRUE(all.endsWith(QStringLiteral(",  20")));
    entry.Freq[1] = 0;
    EXPECT_EQ(frequencyText(entry), " .5");
}

TEST(BufferReport, HourAndCapLinesOfAnEmptyBuffer) {
    const struct {
        QTime time;
        const char16_t* cap;
        const char* first;
        const char* capLine;
    } cases[] = {{QTime(12, 30), u"abc", "T : Frequency Selection   12:30 pm    4, Jul 2026",
                  "Frequencies are not Capped."},
                 {QTime(0, 5), u"0", "T : Frequency Selection   12:05 am    4, Jul 2026",
                  "Frequencies are not Capped."},
                 {QTime(9, 0), u"2.5kHz", "T : Frequency Selection   9:00 am    4, Jul 2026",
                  "Frequencies are Capped at :  2.5kHz"}};
    for (const auto& c : cases) {
        FrequencyBuffer empty;
        EXPECT_EQ(bufferReport(empty, c.cap, "T", QDateTime(QDate(2026, 7, 4), c.time)),
                  QByteArray(c.first) + "\r\n \r\n" + c.capLine + "\r\n \r\n \r\n");
    }
}
