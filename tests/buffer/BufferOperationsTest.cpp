#include "buffer/BufferOperations.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

FrequencyRecord rec(const QString& description, std::optional<QString> comments, std::vector<double> f) {
    FrequencyRecord r;
    r.Description = description;
    r.Comments = std::move(comments);
    for (size_t j = 0; j < f.size(); ++j)
        r.F[j] = f[j];
    return r;
}

QStringList lines(const QByteArray& bytes) {
    QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    QStringList result = text.split(QStringLiteral("\r\n"));
    result.removeLast();
    return result;
}

const QDateTime afternoon(QDate(2026, 12, 5), QTime(15, 7));

} // namespace

TEST(SendToBuffer, StoresTheRecordAndItsSlots) {
    FrequencyBuffer buffer;
    ASSERT_TRUE(sendToBuffer(buffer, rec("Alpha", std::nullopt, {100, 0, 200, -5}), " 100,  200", false));
    ASSERT_TRUE(sendToBuffer(buffer, rec("Beta", QString(), {7.83}), " 7.83", false));
    ASSERT_TRUE(sendToBuffer(buffer, rec("Gamma", "x", {}), "", false));
    EXPECT_EQ(buffer.BufferNext, 4);
    const BufferEntry& a = buffer.entries[1];
    EXPECT_EQ(a.Description, "Alpha");
    EXPECT_EQ(a.Comments, "No Comment");
    EXPECT_EQ(a.FrequencyText, " 100,  200");
    EXPECT_EQ(a.Freq[0], 100);
    EXPECT_EQ(a.Freq[1], 0);
    EXPECT_EQ(a.Freq[2], 200);
    EXPECT_EQ(a.Freq[3], 0); // only values above 0 are stored
    EXPECT_EQ(a.SavedFreq, a.Freq);
    EXPECT_EQ(buffer.entries[2].Comments, "No Comment");
    EXPECT_EQ(buffer.entries[3].Comments, "x");
}

TEST(SendToBuffer, AFullBufferRefusesAndStaysAsItWas) {
    FrequencyBuffer buffer;
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(sendToBuffer(buffer, rec(QString::number(i), "c", {1}), " 1", false));
    auto refused = sendToBuffer(buffer, rec("one too many", "c", {2}), " 2", false);
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.error().contains(QStringLiteral("500"))) << refused.error().toStdString();
    EXPECT_EQ(buffer.BufferNext, 501);
    EXPECT_EQ(buffer.entries[500].Description, "499");
    // With clear-first the full buffer is emptied first, so the set goes in.
    ASSERT_TRUE(sendToBuffer(buffer, rec("fresh", "c", {2}), " 2", true));
    EXPECT_EQ(buffer.BufferNext, 2);
}

TEST(DeleteBufferEntry, LaterEntriesMoveUpWhole) {
    FrequencyBuffer buffer;
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(sendToBuffer(buffer, rec(QString("E%1").arg(i), QString("c%1").arg(i), {i * 100.0}),
                                 QString(" %1").arg(i * 100), false));
    ASSERT_TRUE(deleteBufferEntry(buffer, 2));
    EXPECT_EQ(buffer.BufferNext, 3);
    EXPECT_EQ(buffer.entries[2].Description, "E3");
    EXPECT_EQ(buffer.entries[2].Comments, "c3");
    EXPECT_EQ(buffer.entries[2].FrequencyText, " 300");
    EXPECT_EQ(buffer.entries[2].Freq[0], 300);
    EXPECT_TRUE(buffer.entries[3].Description.isEmpty());
    EXPECT_EQ(buffer.entries[3].Freq[0], 0);
    EXPECT_FALSE(deleteBufferEntry(buffer, 3));
}

TEST(FrequencyText, StopsAtTheFirstEmptySlotAndHasNoTrailingSeparator) {
    BufferEntry entry;
    entry.Freq[0] = 727;
    entry.Freq[1] = 787;
    entry.Freq[2] = 880;
    EXPECT_EQ(frequencyText(entry), " 727,  787,  880");
    entry.Freq[1] = 0;
    EXPECT_EQ(frequencyText(entry), " 727");
    for (size_t j = 0; j < 40; ++j)
        entry.Freq[j] = static_cast<float>(j + 1) / 2;
    const QString all = frequencyText(entry);
    EXPECT_EQ(all.count(u','), 39);
    EXPECT_TRUE(all.startsWith(QStringLiteral(" .5,  1,  1.5")));
    EXPECT_TRUE(all.endsWith(QStringLiteral(",  20")));
}

TEST(BufferReport, UncappedLinesExactly) {
    FrequencyBuffer buffer;
    ASSERT_TRUE(sendToBuffer(buffer, rec("Alpha", "first", {100, 0, 200}), " 100,  200", false));
    ASSERT_TRUE(sendToBuffer(buffer, rec("Beta", std::nullopt, {7.83}), " 7.83", false));
    // The first preview prints the text as sent; from then on the rebuilt form, up to the first gap.
    QString expected = QStringLiteral("Frequencies:  100,  200");
    for (const char16_t* cap : {u"", u"0", u"-3", u"abc"}) {
        const QStringList report = lines(bufferReport(buffer, cap, "Sono12 - build 05.01.16", afternoon));
        EXPECT_EQ(report,
                  QStringList({"Sono12 - build 05.01.16 : Frequency Selection   3:07 pm    5, Dec 2026", " ",
                               "Frequencies are not Capped.", " ", " ", "Alpha", "first", expected, " ",
                               "Beta", "No Comment", "Frequencies:  7.83", " "}));
        expected = QStringLiteral("Frequencies:  100");
    }
    EXPECT_EQ(buffer.BufferCapHz, 0);
    EXPECT_EQ(buffer.entries[1].FrequencyText, " 100"); // rebuilt form after every preview
    EXPECT_EQ(buffer.entries[1].Freq[2], 200);          // the slot beyond the gap is kept
}

TEST(BufferReport, CappedLinesThenTheFrequenciesAsSent) {
    FrequencyBuffer buffer;
    ASSERT_TRUE(sendToBuffer(buffer, rec("Alpha", "c", {20000, 12000, 4800, 5000}), "x", false));
    const QStringList report =
        lines(bufferReport(buffer, u"5", "T", QDateTime(QDate(2026, 1, 31), QTime(0, 5))));
    EXPECT_EQ(report, QStringList({"T : Frequency Selection   12:05 am    31, Jan 2026", " ",
                                   "Frequencies are Capped at :  5kHz", " ", " ", "Alpha", "c",
                                   "Frequencies:  5000,  3000,  4800,  5000", " "}));
    EXPECT_EQ(buffer.entries[1].Freq[0], 20000);
    EXPECT_EQ(buffer.entries[1].Freq[1], 12000);
    EXPECT_EQ(buffer.entries[1].FrequencyText, " 20000,  12000,  4800,  5000");

    const QStringList half = lines(bufferReport(buffer, u"2.5kHz", "T", afternoon));
    EXPECT_EQ(half[2], "Frequencies are Capped at :  2.5kHz");
    const QStringList again = lines(bufferReport(buffer, u"", "T", afternoon));
    EXPECT_EQ(again[2], "Frequencies are not Capped.");
    EXPECT_EQ(again[7], "Frequencies:  20000,  12000,  4800,  5000");
}

TEST(BufferReport, EmptyBufferGivesTheFiveHeaderLinesAndNoonIsPm) {
    FrequencyBuffer buffer;
    const QStringList report =
        lines(bufferReport(buffer, u"", "T", QDateTime(QDate(2026, 7, 4), QTime(12, 30))));
    EXPECT_EQ(report, QStringList({"T : Frequency Selection   12:30 pm    4, Jul 2026", " ",
                                   "Frequencies are not Capped.", " ", " "}));
}
