#include "core/common/NumberText.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>

using namespace sono;

namespace {

// The texts of the values joined by "|", so one comparison shows every row.
template <typename F, typename L = std::initializer_list<double>> QString each(F form, const L& values) {
    QStringList texts;
    for (const auto& value : values)
        texts << form(value);
    return texts.join(u'|');
}

} // namespace

TEST(NumberText, ShortestAndSignedFormsDropLeadingAndTrailingZeros) {
    // 727.3f is not exact in single precision; the form must still read 727.3, not 727.2999877.
    const auto values = {1000.0,         double(7.83f),  0.5,       -0.5,      304.5, 0.0, -0.0,
                         double(727.3f), double(3.915f), 1.0 / 3.0, 12345678.0};
    EXPECT_EQ(each([](double v) { return shortestText(v); }, values),
              "1000|7.83|.5|-.5|304.5|0|0|727.3|3.915|.3333333|1.234568E+07");
    EXPECT_EQ(each([](double v) { return signedText(v); }, values),
              " 1000| 7.83| .5|-.5| 304.5| 0| 0| 727.3| 3.915| .3333333| 1.234568E+07");
    EXPECT_EQ(shortestText(123456789.0, Precision::Double), "123456789");
    EXPECT_EQ(shortestText(0.1, Precision::Double), ".1");
}

TEST(NumberText, LeadingNumberReadsUpToTheFirstOtherCharacterAndSurvivesHugeInput) {
    // "727,5" is 727 whatever the desktop's decimal comma. Out of range either way: the digits decide, not
    // the sign of the exponent.
    const QString zeros(400, u'0'), huge(400, u'9');
    QStringList texts{"12.5Hz", "  528 hz", "abc", "",    "-3.25x", "+4",     ".5",
                      "1.2.3",  "1e3",      "5e",  "5ex", "727,5",  "1e-400", ".001e312"};
    texts << huge << ("1" + zeros + "e-5") << ("-1" + zeros + "e-90") << ("0." + zeros + "1e-5");
    const auto number = [](const QString& t) {
        return QString::number(leadingNumber(t), 'g', QLocale::FloatingPointShortest);
    };
    EXPECT_EQ(each(number, texts), "12.5|528|0|0|-3.25|4|0.5|1.2|1000|5|5|727|0|inf|inf|inf|-inf|0");
    for (const char16_t* none : {u"-", u".", u"inf", u"nan"})
        EXPECT_FALSE(parseLeadingNumber(none).found);
    EXPECT_TRUE(parseLeadingNumber(huge).found);
    EXPECT_FALSE(parseWholeNumber(huge).has_value());
}

TEST(NumberText, WholeNumbersRejectTrailingTextAndRoundHalfToEven) {
    EXPECT_EQ(parseWholeNumber(u" 12.5 "), 12.5);
    for (const char16_t* bad : {u"12.5Hz", u"", u"abc"})
        EXPECT_FALSE(parseWholeNumber(bad).has_value());
    EXPECT_EQ(each([](double v) { return QString::number(roundHalfEven(v)); }, {2.5, 3.5, -2.5, 2.6}),
              "2|4|-2|3");
    const auto int16 = [](double v) {
        return toInt16(v) ? QString::number(*toInt16(v)) : QStringLiteral("-");
    };
    EXPECT_EQ(each(int16, {32767.4, 32767.6, -32768.0, -32769.0}), "32767|-|-32768|-");
}

TEST(NumberText, PatternsHaveNoLeadingZeroBeforeTheirPointAndRoundTiesAwayFromZero) {
    // A value that rounds to zero shows no minus sign.
    const auto with = [](const char16_t* pattern) {
        return [pattern](double v) { return formatPattern(v, pattern); };
    };
    EXPECT_EQ(each(with(u"###.0"), {0.0, 0.5, 1.5, 181.0 / 60, 600.0, 12345.0, 999.96, HUGE_VAL}),
              ".0|.5|1.5|3.0|600.0|12345.0|1000.0|");
    EXPECT_EQ(each(with(u"#,##0.000"), {0.0, -0.5, 1234567.25}), "0.000|-0.500|1,234,567.250");
    EXPECT_EQ(formatPattern(2, u"#,###,###.000"), "2.000");
    EXPECT_EQ(each(with(u"###,###,###.0"), {92031.25, -92031.25, 0.5, -0.01, 1e20}),
              "92,031.3|-92,031.3|.5|.0|100,000,000,000,000,000,000.0");
}
