#include "database/Search.h"
#include "app/AppState.h"
#include "database/DatabaseFixture.h"

#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

const UserMessage NoBox{"You need to check Description or Comments or Frequencies.", "Make a Choice !"};
const UserMessage LowValue{"You need to enter a value 1 or greater in the search box.", "Enter a Value !"};

struct SearchFixture : ::testing::Test {
    DatabaseFixture db{{
        record("apple tea", "sweet", {528, 727}),
        record("Almond", std::nullopt, {5280}),
        record("banana", "apple inside", {528.5, 10}),
        record("Body 7.83", "earth", {0, 7.83}),
        record("it's 100% real", "quote", {1}),
        record("under_score", "a*star", {2}),
        record("back\\slash", "x", {3}),
        record("percent", "50 percent", {528}),
    }};
    AppState state;

    void SetUp() override { ASSERT_TRUE(state.database.open(db.path())); }

    QStringList find(const QString& text, bool d, bool c, bool f) {
        auto query = findQuery(text, d, c, f);
        EXPECT_TRUE(query.has_value()) << text.toStdString();
        if (!query) return {};
        auto lines = runSearch(state, *query);
        EXPECT_TRUE(lines.has_value()) << (lines ? "" : lines.error().toStdString());
        return lines.value_or(QStringList{});
    }
};

} // namespace

TEST(FindQuery, RefusesWithTheTwoMessages) {
    EXPECT_EQ(findQuery("abc", false, false, false).error(), NoBox);
    for (const char* text : {"", "0", "abc", "-5", "0.5", ".99", "Hz528"})
        EXPECT_EQ(findQuery(QString::fromLatin1(text), false, false, true).error(), LowValue) << text;
    // Frequencies always searches alone, and a unit after the number is fine.
    auto query = findQuery("528Hz", true, true, true);
    ASSERT_TRUE(query);
    EXPECT_TRUE(query->frequencies);
    EXPECT_FALSE(query->description);
    EXPECT_FALSE(query->comments);
    EXPECT_TRUE(findQuery("1", false, false, true).has_value());
}

TEST(ResultsCaption, HasTheSignBlank) {
    EXPECT_EQ(resultsCaption(12), "Results :  12 records found");
    EXPECT_EQ(resultsCaption(0), "Results :  0 records found");
    EXPECT_EQ(resultsCaption(100000), "Results :  100000 records found");
}

TEST_F(SearchFixture, LetterSearchIgnoresCaseAndSetsTheState) {
    auto lines = runSearch(state, SearchQuery::letter("a"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"Almond", "apple tea"}));
    EXPECT_EQ(state.ResultCount, 2);
    EXPECT_EQ(state.CurrentQuery, SearchQuery::letter("a").sqlText());
    EXPECT_EQ(state.database.count(), 2);

    lines = runSearch(state, SearchQuery::letter("q"));
    ASSERT_TRUE(lines);
    EXPECT_TRUE(lines->isEmpty());
    EXPECT_EQ(state.ResultCount, 0);
    EXPECT_TRUE(state.database.eof());
}

TEST_F(SearchFixture, TextFindMatchesLiterallyAndListsEachSetOnce) {
    EXPECT_EQ(find("APPLE", true, false, false), QStringList({"apple tea"}));
    EXPECT_EQ(find("apple", false, true, false), QStringList({"banana"}));
    EXPECT_EQ(find("apple", true, true, false), QStringList({"apple tea", "banana"}));
    EXPECT_EQ(find("e", true, true, false).size(), 6); // "apple tea" matches in both columns, listed once
    // Characters that are wildcards or quotes elsewhere are plain text here.
    EXPECT_EQ(find("'s 100%", true, false, false), QStringList({"it's 100% real"}));
    EXPECT_EQ(find("%", true, false, false), QStringList({"it's 100% real"}));
    EXPECT_EQ(find("_", true, false, false), QStringList({"under_score"}));
    EXPECT_EQ(find("*", false, true, false), QStringList({"under_score"}));
    EXPECT_EQ(find("\\", true, false, false), QStringList({"back\\slash"}));
    EXPECT_TRUE(find("'", false, true, false).isEmpty());
    // An empty box lists every set with a description; a null comment never matches.
    EXPECT_EQ(find("", true, false, false).size(), 8);
    EXPECT_EQ(find("", false, true, false).size(), 7);
    EXPECT_EQ(state.SearchText, QString()); // runSearch leaves SearchText to the caller
}

TEST_F(SearchFixture, FrequencyFindMatchesTheNumberExactly) {
    EXPECT_EQ(find("528", false, false, true), QStringList({"apple tea", "percent"}));
    EXPECT_EQ(find("528Hz", false, false, true), QStringList({"apple tea", "percent"}));
    EXPECT_EQ(find("528 hz", false, false, true), QStringList({"apple tea", "percent"}));
    EXPECT_EQ(find("528.5", false, false, true), QStringList({"banana"}));
    EXPECT_EQ(find("5280", false, false, true), QStringList({"Almond"}));
    EXPECT_EQ(find("7.83", false, false, true), QStringList({"Body 7.83"}));
    EXPECT_TRUE(find("7.8", false, false, true).isEmpty());
    EXPECT_EQ(state.CurrentQuery, SearchQuery::find("7.8", false, false, true).sqlText());
}

TEST_F(SearchFixture, AFailedSearchChangesNothing) {
    ASSERT_TRUE(runSearch(state, SearchQuery::letter("b")));
    const QString query = state.CurrentQuery;
    state.database.close();
    EXPECT_FALSE(runSearch(state, SearchQuery::letter("a")));
    EXPECT_EQ(state.CurrentQuery, query);
    EXPECT_EQ(state.ResultCount, 3);
}

TEST(SearchCase, AccentedAndPlainTextFoldTheSameWay) {
    DatabaseFixture db({record("ÉLAN vital", "Über alles", {1}), record("elan", "uber", {2}),
                        record("Zeta", "ÜBER", {3}), record("_under", "x", {4}),
                        record("Alpha", "x", {5})});
    AppState state;
    ASSERT_TRUE(state.database.open(db.path()));
    auto lines = runSearch(state, SearchQuery::letter("é"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"ÉLAN vital"}));
    lines = runSearch(state, SearchQuery::find("über", false, true, false));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"Zeta", "ÉLAN vital"})); // code-point order after folding
    lines = runSearch(state, SearchQuery::find("LAN", true, false, false));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"elan", "ÉLAN vital"}));
    lines = runSearch(state, SearchQuery::all());
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"_under", "Alpha", "elan", "Zeta", "ÉLAN vital"}));
}
