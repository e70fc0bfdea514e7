#include "core/common/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace sono;

TEST(NumberText, ShortestFormDropsLeadingZeroAndTrailingZeros) {
    EXPECT_EQ(shortestText(1000), "1000");
    EXPECT_EQ(shortestText(7.83f), "7.83");
    EXPECT_EQ(shortestText(0.5), ".5");
    EXPECT_EQ(shortestText(-0.5), "-.5");
    EXPECT_EQ(shortestText(304.5), "304.5");
    EXPECT_EQ(shortestText(0), "0");
    EXPECT_EQ(shortestText(-0.0), "0");
    EXPECT_EQ(shortestText(12345678.0), "1.234568E+07");
    EXPECT_EQ(shortestText(123456789.0, Precision::Double), "123456789");
    EXPECT_EQ(shortestText(0.1, Precision::Double), ".1");
}

TEST(NumberText, SingleFormShowsWhatAFloatHolds) {
    // 727.3 is not exact in single precision; the form must still read 727.3, not 727.2999877.
    EXPECT_EQ(shortestText(727.3f), "727.3");
    EXPECT_EQ(shortestText(3.915f), "3.915");
    EXPECT_EQ(shortestText(1.0 / 3.0), ".3333333");
}

TEST(NumberText, SignedFormPutsABlankBeforeNonNegatives) {
    EXPECT_EQ(signedText(727), " 727");
    EXPECT_EQ(signedText(7.83f), " 7.83");
    EXPECT_EQ(signedText(0), " 0");
    EXPECT_EQ(signedText(-3), "-3");
    EXPECT_EQ(signedText(0.5), " .5");
}

TEST(NumberText, LeadingNumberReadsUpToTheFirstOtherCharacter) {
    EXPECT_DOUBLE_EQ(leadingNumber(u"12.5Hz"), 12.5);
    EXPECT_DOUBLE_EQ(leadingNumber(u"  528 hz"), 528);
    EXPECT_DOUBLE_EQ(leadingNumber(u"abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(u""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(u"-3.25x"), -3.25);
    EXPECT_DOUBLE_EQ(leadingNumber(u"+4"), 4);
    EXPECT_DOUBLE_EQ(leadingNumber(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber(u"1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(leadingNumber(u"1e3"), 1000);
    EXPECT_DOUBLE_EQ(leadingNumber(u"5e"), 5);
    EXPECT_DOUBLE_EQ(leadingNumber(u"5ex"), 5);
    EXPECT_FALSE(parseLeadingNumber(u"-").found);
    EXPECT_FALSE(parseLeadingNumber(u".").found);
    EXPECT_FALSE(parseLeadingNumber(u"inf").found);
    EXPECT_FALSE(parseLeadingNumber(u"nan").found);
}

TEST(NumberText, LeadingNumberIgnoresTheLocaleAndSurvivesHugeInput) {
    // "727,5" is 727 whatever the desktop's decimal comma.
    EXPECT_DOUBLE_EQ(leadingNumber(u"727,5"), 727);
    const QString huge = QString(400, u'9');
    const LeadingNumber big = parseLeadingNumber(huge);
    EXPECT_TRUE(big.found);
    EXPECT_TRUE(std::isinf(big.value));
    EXPECT_EQ(leadingNumber(u"1e-400"), 0.0);
    // Out of range either way: the digits decide, not the sign of the exponent.
    const QString zeros(400, u'0');
    EXPECT_EQ(leadingNumber(QStringLiteral("1") + zeros + QStringLiteral("e-5")), HUGE_VAL);
    EXPECT_EQ(leadingNumber(QStringLiteral("-1") + zeros + QStringLiteral("e-90")), -HUGE_VAL);
    EXPECT_EQ(leadingNumber(QStringLiteral("0.") + zeros + QStringLiteral("1e-5")), 0.0);
    EXPECT_EQ(leadingNumber(u".001e312"), HUGE_VAL);
    EXPECT_FALSE(parseWholeNumber(huge).has_value());
}

TEST(NumberText, WholeNumberParseRejectsTrailingText) {
    EXPECT_EQ(parseWholeNumber(u" 12.5 "), 12.5);
    EXPECT_FALSE(parseWholeNumber(u"12.5Hz").has_value());
    EXPECT_FALSE(parseWholeNumber(u"").has_value());
    EXPECT_FALSE(parseWholeNumber(u"abc").has_value());
}

TEST(NumberText, WholeNumbersRoundHalfToEven) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.6), 3);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_FALSE(toInt16(32767.6).has_value());
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_FALSE(toInt16(-32769).has_value());
}

TEST(NumberText, MinutesPatternHasNoLeadingZero) {
    EXPECT_EQ(formatPattern(0, u"###.0"), ".0");
    EXPECT_EQ(formatPattern(0.5, u"###.0"), ".5");
    EXPECT_EQ(formatPattern(1.5, u"###.0"), "1.5");
    EXPECT_EQ(formatPattern(181.0 / 60, u"###.0"), "3.0");
    EXPECT_EQ(formatPattern(600, u"###.0"), "600.0");
    EXPECT_EQ(formatPattern(12345, u"###.0"), "12345.0");
}

TEST(NumberText, GroupedPatternsRoundTiesAwayFromZero) {
    EXPECT_EQ(formatPattern(0, u"#,##0.000"), "0.000");
    EXPECT_EQ(formatPattern(-0.5, u"#,##0.000"), "-0.500");
    EXPECT_EQ(formatPattern(1234567.25, u"#,##0.000"), "1,234,567.250");
    EXPECT_EQ(formatPattern(92031.25, u"###,###,###.0"), "92,031.3");
    EXPECT_EQ(formatPattern(-92031.25, u"###,###,###.0"), "-92,031.3");
    EXPECT_EQ(formatPattern(0.5, u"###,###,###.0"), ".5");
    EXPECT_EQ(formatPattern(2, u"#,###,###.000"), "2.000");
    EXPECT_EQ(formatPattern(999.96, u"###.0"), "1000.0");
    // A value that rounds to zero shows no minus sign.
    EXPECT_EQ(formatPattern(-0.01, u"###,###,###.0"), ".0");
    EXPECT_EQ(formatPattern(1e20, u"###,###,###.0"), "100,000,000,000,000,000,000.0");
    EXPECT_EQ(formatPattern(std::numeric_limits<double>::infinity(), u"###.0"), "");
}
