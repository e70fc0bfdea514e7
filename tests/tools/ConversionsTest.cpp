#include "tools/Conversions.h"

#include <gtest/gtest.h>

using namespace sono;

TEST(Conversions, DefaultInputListsElevenOctavesEachWay) {
    auto lists = convertOctaves(u"11780000", u"11");
    ASSERT_TRUE(lists.has_value());
    EXPECT_EQ(lists->lower, QStringList({"5,890,000.0 Hz", "2,945,000.0 Hz", "1,472,500.0 Hz", "736,250.0 Hz",
                                         "368,125.0 Hz", "184,062.5 Hz", "92,031.3 Hz", "46,015.6 Hz",
                                         "23,007.8 Hz", "11,503.9 Hz", "5,752.0 Hz"}));
    EXPECT_EQ(lists->higher, QStringList({"23.560 MHz", "47.120 MHz", "94.240 MHz", "188.480 MHz",
                                          "376.960 MHz", "753.920 MHz", "1,507.840 MHz", "3,015.680 MHz",
                                          "6,031.360 MHz", "12,062.720 MHz", "24,125.440 MHz"}));
    EXPECT_TRUE(lists->note.isEmpty());
}

TEST(Conversions, MegahertzOnlyAboveOneMillionAndNoLeadingZero) {
    auto exact = convertOctaves(u"500000", u"1");
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(exact->higher, QStringList({"1,000,000.000 Hz"}));
    EXPECT_EQ(exact->lower, QStringList({"250,000.0 Hz"}));
    auto one = convertOctaves(u"1", u"1");
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->higher, QStringList({"2.000 Hz"}));
    EXPECT_EQ(one->lower, QStringList({".5 Hz"}));
    auto above = convertOctaves(u"500000.5", u"1");
    ASSERT_TRUE(above.has_value());
    EXPECT_EQ(above->higher, QStringList({"1.000 MHz"}));
}

TEST(Conversions, CountTakesItsWholePartAndNothingBelowOne) {
    auto fractional = convertOctaves(u"100", u"2.7");
    ASSERT_TRUE(fractional.has_value());
    EXPECT_EQ(fractional->lower, QStringList({"50.0 Hz", "25.0 Hz"}));
    EXPECT_EQ(fractional->higher, QStringList({"200.000 Hz", "400.000 Hz"}));
    for (const char16_t* count : {u"0", u"-4", u"0.9"}) {
        auto none = convertOctaves(u"100", count);
        ASSERT_TRUE(none.has_value());
        EXPECT_TRUE(none->lower.isEmpty());
        EXPECT_TRUE(none->higher.isEmpty());
    }
}

TEST(Conversions, TextThatIsNotANumberOrAHugeCountIsRefused) {
    auto letters = convertOctaves(u"100", u"abc");
    ASSERT_FALSE(letters.has_value());
    EXPECT_TRUE(letters.error().contains(QStringLiteral("abc")));
    EXPECT_FALSE(convertOctaves(u"", u"3").has_value());
    EXPECT_FALSE(convertOctaves(u"12Hz", u"3").has_value());
    EXPECT_FALSE(convertOctaves(u"100", u"").has_value());
    EXPECT_FALSE(convertOctaves(u"100", u"100000000").has_value());
    EXPECT_FALSE(convertOctaves(u"100", u"1001").has_value());
    EXPECT_TRUE(convertOctaves(u"100", u"1000").has_value());
}

TEST(Conversions, HugeNumbersAreGroupedAndNeverInfOrNan) {
    auto lists = convertOctaves(u"1e300", u"1000");
    ASSERT_TRUE(lists.has_value());
    EXPECT_EQ(lists->lower.size(), 1000);
    EXPECT_FALSE(lists->note.isEmpty());
    EXPECT_LT(lists->higher.size(), 30); // doubling leaves the double range after a few steps
    for (const QString& line : lists->higher + lists->lower) {
        EXPECT_FALSE(line.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << line.toStdString();
        EXPECT_FALSE(line.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << line.toStdString();
    }
    // 2e20 Hz = 2e14 MHz lies beyond the 32-bit range and 2e30 beyond the 64-bit one.
    auto big = convertOctaves(u"1e20", u"1");
    ASSERT_TRUE(big.has_value());
    EXPECT_EQ(big->higher, QStringList({"200,000,000,000,000.000 MHz"}));
    EXPECT_EQ(big->lower, QStringList({"50,000,000,000,000,000,000.0 Hz"}));
    EXPECT_EQ(lists->lower.last(), ".1 Hz"); // 1e300 / 2^1000 = 0.093
}
