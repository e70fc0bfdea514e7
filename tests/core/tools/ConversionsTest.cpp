#include "core/tools/Conversions.h"
#include "support/core/GermanLocale.h"

#include <gtest/gtest.h>

using namespace sono;

// Grouping and decimal point are fixed whatever the desktop's locale, so every row runs under C and German.
TEST(Conversions, HalvingsAndDoublingsInEveryLocale) {
    const std::tuple<const char16_t*, const char16_t*, QStringList, QStringList> rows[] = {
        {u"753920000", u"2", {"1,507.840 MHz", "3,015.680 MHz"}, {"376,960,000.0 Hz", "188,480,000.0 Hz"}},
        {u"184062.5", u"1", {"368,125.000 Hz"}, {"92,031.3 Hz"}},
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
    std::optional<GermanLocale> locale;
    for (bool german : {false, true}) {
        if (german) locale.emplace();
        ASSERT_TRUE(!german || locale->active()) << "no de_DE locale could be made";
        for (const auto& [frequency, count, higher, lower] : rows) {
            const auto lists = convertOctaves(frequency, count).value();
            EXPECT_EQ(lists.higher, higher) << german;
            EXPECT_EQ(lists.lower, lower) << german;
            EXPECT_TRUE(lists.note.isEmpty());
        }
    }
}

TEST(Conversions, BadTextIsRefusedAndHugeNumbersNeverShowInfOrNan) {
    const auto letters = convertOctaves(u"100", u"abc");
    EXPECT_TRUE(!letters && letters.error().contains(QStringLiteral("abc")));
    for (auto [frequency, count] :
         {std::pair{u"", u"3"}, {u"12Hz", u"3"}, {u"100", u""}, {u"100", u"100000000"}, {u"100", u"1001"}})
        EXPECT_FALSE(convertOctaves(frequency, count).has_value());
    const auto lists = convertOctaves(u"1e300", u"1000").value();
    EXPECT_EQ(lists.lower.size(), 1000);
    EXPECT_EQ(lists.lower.last(), ".1 Hz"); // 1e300 / 2^1000 = 0.093
    EXPECT_FALSE(lists.note.isEmpty());
    EXPECT_LT(lists.higher.size(), 30); // doubling leaves the double range after a few steps
    const QString all = (lists.higher + lists.lower).join(u'|').toLower();
    EXPECT_FALSE(all.contains(QStringLiteral("inf")) || all.contains(QStringLiteral("nan")));
}
