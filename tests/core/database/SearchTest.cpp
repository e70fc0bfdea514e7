#include "core/database/Search.h"
#include "core/app/AppState.h"
#include "support/core/DatabaseFixture.h"

#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

TEST(FindQuery, RefusesWithTheTwoMessagesAndSearchesFrequenciesAlone) {
    EXPECT_EQ(findQuery("abc", false, false, false).error(),
              (UserMessage{"You need to check Description or Comments or Frequencies.", "Make a Choice !"}));
    for (const char* text : {"", "0", "abc", "-5", "0.5", ".99", "Hz528"})
        EXPECT_EQ(
            findQuery(QString::fromLatin1(text), false, false, true).error(),
            (UserMessage{"You need to enter a value 1 or greater in the search box.", "Enter a Value !"}))
            << text;
    const SearchQuery query = findQuery("528Hz", true, true, true).value();
    EXPECT_TRUE(query.frequencies && !query.description && !query.comments);
}

TEST(Search, TextMatchesLiterallyEachSetListedOnceFrequenciesExactlyAndAFailureChangesNothing) {
    const DatabaseFixture db(
        {record("apple tea", "sweet", {528, 727}), record("Almond", std::nullopt, {5280}),
         record("banana", "apple inside", {528.5, 10}), record("Body 7.83", "earth", {0, 7.83}),
         record("it's 100% real", "quote", {1}), record("under_score", "a*star", {2}),
         record("back\\slash", "x", {3}), record("percent", "50 percent", {528})});
    AppState state;
    ASSERT_TRUE(state.database.open(db.path()));
    // The descriptions listed, joined by "|".
    const auto find = [&state](const QString& text, bool d, bool c, bool f) {
        const auto found = runSearch(state, findQuery(text, d, c, f).value());
        EXPECT_TRUE(found && *found == state.database.count());
        return listed(state.database).join(u'|');
    };
    EXPECT_EQ(find("APPLE", true, false, false), "apple tea");
    EXPECT_EQ(find("apple", false, true, false), "banana");
    EXPECT_EQ(find("apple", true, true, false), "apple tea|banana");
    // "apple tea" matches in both columns; a null comment never matches.
    EXPECT_EQ(find("e", true, true, false), "apple tea|banana|Body 7.83|it's 100% real|percent|under_score");
    EXPECT_EQ(find("", false, true, false),
              "apple tea|back\\slash|banana|Body 7.83|it's 100% real|percent|under_score");
    // Characters that are wildcards or quotes elsewhere are plain text here.
    EXPECT_EQ(find("'s 100%", true, false, false) + "/" + find("%", true, false, false),
              "it's 100% real/it's 100% real");
    EXPECT_EQ(find("_", true, false, false) + "/" + find("*", false, true, false), "under_score/under_score");
    EXPECT_EQ(find("\\", true, false, false) + "/" + find("'", false, true, false), "back\\slash/");
    const QString both = "apple tea|percent";
    const std::pair<const char*, QString> frequencies[] = {
        {"528", both},      {"528Hz", both},       {"528 hz", both}, {"528.5", "banana"},
        {"5280", "Almond"}, {"7.83", "Body 7.83"}, {"7.8", ""}};
    for (const auto& [text, listed] : frequencies)
        EXPECT_EQ(find(text, false, false, true), listed) << text;
    // A failed search changes nothing.
    ASSERT_TRUE(runSearch(state, SearchQuery::letter("b")));
    const QString query = state.CurrentQuery;
    state.database.close();
    EXPECT_FALSE(runSearch(state, SearchQuery::letter("a")));
    EXPECT_EQ(state.CurrentQuery, query);
    EXPECT_EQ(state.ResultCount, 3);
}
