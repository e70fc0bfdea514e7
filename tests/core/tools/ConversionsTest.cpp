#include "core/tools/Conversions.h"
#include "support/core/GermanLocale.h"

#include <gtest/gtest.h>

using namespace sono;

// Grouping and decimal point are fixed whatever the desktop's locale, so every row runs under C and German.
TEST(Conversions, HalvingsAndDoublingsInEveryLocale) {
    struct Row {
        const char16_t* frequency;
        const char16_t* count;
        QStringList higher, lower;
    };
    const Row rows[] = {
        {u"11780000",
         u"11",
         {"23.560 MHz", "47.120 MHz", "94.240 MHz", "188.480 MHz", "376.960 MHz", "753.920 MHz",
          "1,507.840 MHz", "3,015.680 MHz", "6,031.360 MHz", "12,062.720 MHz", "24,125.440 MHz"},
         {"5,890,000.0 Hz", "2,945,000.0 Hz", "1,472,500.0 Hz", "736,250.0 Hz", "368,125.0 Hz",
          "184,062.5 Hz", "92,031.3 Hz", "46,015.6 Hz", "23,007.8 Hz", "11,503.9 Hz", "5,752.0 Hz"}},
        {u"500000", u"1", {"1,000,000.000 Hz"}, {"250,000.0 Hz"}},
        {u"1", u"1", {"2.000 Hz"}, {".5 Hz"}},
        {u"500000.5", u"1", {"1.000 MHz"}, {"250,000.3 Hz"}},
        {u"100", u"2.7", {"200.000 Hz", "400.000 Hz"}, {"50.0 Hz", "25.0 Hz"}},
        {u"100", u"0", {}, {}},
        {u"100", u"-4", {}, {}},
        {u"100", u"0.9", {}, {}},
        // Beyond the 32-bit and the 64-bit integer range.
        {u"1e20", u"1", {"200,000,000,000,000.000 MHz"}, {"50,000,000,000,000,000,000.0 Hz"}},
    };
    for (bool german : {false, true}) {
        std::optional<GermanLocale> locale;
        if (german) {
            locale.emplace();
            ASSERT_TRUE(locale->active()) << "no de_DE locale could be made";
        }
        for (const Row& row : rows) {
            auto lists = convertOctaves(row.frequency, row.count);
            ASSERT_TRUE(lists.has_value());
            EXPECT_EQ(lists->higher, row.higher) << german;
            EXPECT_EQ(lists->lower, row.lower) << german;
            EXPECT_TRUE(lists->note.isEmpty());
        }
    }
}

TEST(Conversions, TextThatIsNotANumberOrAHugeCountIsRefused) {
    auto letters = convertOctaves(u"100", u"abc");
    ASSERT_FALSE(letters.has_value());
    EXPECT_TRUE(letters.error().contains(QStringLiteral("abc")));
    for (auto [frequency, count] :
         {std::pair{u"", u"3"}, {u"12Hz", u"3"}, {u"100", u""}, {u"100", u"100000000"}, {u"100", u"1001"}})
        EXPECT_FALSE(convertOctaves(frequency, count).has_value());
    EXPECT_TRUE(convertOctaves(u"100", u"1000").has_value());
}

TEST(Conversions, HugeNumbersNeverShowInfOrNan) {
    auto lists = convertOctaves(u"1e300", u"1000");
    ASSERT_TRUE(lists.has_value());
    EXPECT_EQ(lists->lower.size(), 1000);
    EXPECT_EQ(lists->lower.last(), ".1 Hz"); // 1e300 / 2^1000 = 0.093
    EXPECT_FALSE(lists->note.isEmpty());
    EXPECT_LT(lists->higher.size(), 30); // doubling leaves the double range after a few steps
    for (const QString& line : lists->higher + lists->lower)
        EXPECT_FALSE(line.contains(QStringLiteral("inf"), Qt::CaseInsensitive) ||
                     line.contains(QStringLiteral("nan"), Qt::CaseInsensitive))
            << line.toStdString();
}
