#include "core/common/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace sono;

TEST(NumberText, ShortestAndSignedFormsDropLeadingAndTrailingZeros) {
    // 727.3f is not exact in single precision; the form must still read 727.3, not 727.2999877.
    const std::pair<double, const char*> single[] = {{1000, "1000"},
                                                     {7.83f, "7.83"},
                                                     {0.5, ".5"},
                                                     {-0.5, "-.5"},
                                                     {304.5, "304.5"},
                                                     {0, "0"},
                                                     {-0.0, "0"},
                                                     {727.3f, "727.3"},
                                                     {3.915f, "3.915"},
                                                     {1.0 / 3.0, ".3333333"},
                                                     {12345678.0, "1.234568E+07"}};
    for (const auto& [value, text] : single) {
        EXPECT_EQ(shortestText(value), text) << value;
        EXPECT_EQ(signedText(value), (value > 0 || text == QLatin1String("0") ? " " : "") + QString(text))
            << value;
    }
    EXPECT_EQ(shortestText(123456789.0, Precision::Double), "123456789");
    EXPECT_EQ(shortestText(0.1, Precision::Double), ".1");
}

TEST(NumberText, LeadingNumberReadsUpToTheFirstOtherCharacter) {
    // "727,5" is 727 whatever the desktop's decimal comma.
    const std::pair<const char16_t*, double> rows[] = {{u"12.5Hz", 12.5},  {u"  528 hz", 528},
                                                       {u"abc", 0},        {u"", 0},
                                                       {u"-3.25x", -3.25}, {u"+4", 4},
                                                       {u".5", 0.5},       {u"1.2.3", 1.2},
                                                       {u"1e3", 1000},     {u"5e", 5},
                                                       {u"5ex", 5},        {u"727,5", 727},
                                                       {u"1e-400", 0},     {u".001e312", HUGE_VAL}};
    for (const auto& [text, value] : rows)
        EXPECT_EQ(leadingNumber(text), value) << QString::fromUtf16(text).toStdString();
    for (const char16_t* none : {u"-", u".", u"inf", u"nan"})
        EXPECT_FALSE(parseLeadingNumber(none).found);
}

TEST(NumberText, LeadingNumberSurvivesHugeInput) {
    const QString huge = QString(400, u'9');
    const LeadingNumber big = parseLeadingNumber(huge);
    EXPECT_TRUE(big.found);
    EXPECT_TRUE(std::isinf(big.value));
    // Out of range either way: the digits decide, not the sign of the exponent.
    const QString zeros(400, u'0');
    EXPECT_EQ(leadingNumber(QStringLiteral("1") + zeros + QStringLiteral("e-5")), HUGE_VAL);
    EXPECT_EQ(leadingNumber(QStringLiteral("-1") + zeros + QStringLiteral("e-90")), -HUGE_VAL);
    EXPECT_EQ(leadingNumber(QStringLiteral("0.") + zeros + QStringLiteral("1e-5")), 0.0);
    EXPECT_FALSE(parseWholeNumber(huge).has_value());
}

TEST(NumberText, WholeNumbersRejectTrailingTextAndRoundHalfToEven) {
    EXPECT_EQ(parseWholeNumber(u" 12.5 "), 12.5);
    for (const char16_t* bad : {u"12.5Hz", u"", u"abc"})
        EXPECT_FALSE(parseWholeNumber(bad).has_value());
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.6), 3);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_FALSE(toInt16(32767.6).has_value());
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_FALSE(toInt16(-32769).has_value());
}

TEST(NumberText, PatternsHaveNoLeadingZeroBeforeTheirPointAndRoundTiesAwayFromZero) {
    // A value that rounds to zero shows no minus sign.
    const std::tuple<double, const char16_t*, const char*> rows[] = {
        {0, u"###.0", ".0"},
        {0.5, u"###.0", ".5"},
        {1.5, u"###.0", "1.5"},
        {181.0 / 60, u"###.0", "3.0"},
        {600, u"###.0", "600.0"},
        {12345, u"###.0", "12345.0"},
        {999.96, u"###.0", "1000.0"},
        {std::numeric_limits<double>::infinity(), u"###.0", ""},
        {0, u"#,##0.000", "0.000"},
        {-0.5, u"#,##0.000", "-0.500"},
        {1234567.25, u"#,##0.000", "1,234,567.250"},
        {2, u"#,###,###.000", "2.000"},
        {92031.25, u"###,###,###.0", "92,031.3"},
        {-92031.25, u"###,###,###.0", "-92,031.3"},
        {0.5, u"###,###,###.0", ".5"},
        {-0.01, u"###,###,###.0", ".0"},
        {1e20, u"###,###,###.0", "100,000,000,000,000,000,000.0"}};
    for (const auto& [value, pattern, text] : rows)
        EXPECT_EQ(formatPattern(value, pattern), text) << value;
}
