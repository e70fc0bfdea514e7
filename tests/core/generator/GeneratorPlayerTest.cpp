#include "core/generator/GeneratorPlayer.h"

#include <gtest/gtest.h>

using namespace sono;

// The window test reads the stand-in's status lines; here, what is left out and the time texts.
TEST(GeneratorPlayer, StatusLinesAreReadAndWhatIsNotUnderstoodIsLeftOut) {
    const auto playing = parseControlLine(u"playing step=12 count=40 left=1.5 new=x\n");
    EXPECT_TRUE(playing && playing->status.step == 12 && playing->status.left == 1.5);
    EXPECT_EQ(parseControlLine(u"finished elapsed=9").value().kind, ControlLine::Kind::Finished);
    EXPECT_EQ(parseControlLine(u"note 30000 Hz plays as 15 kHz ").value().note, "30000 Hz plays as 15 kHz");
    for (const char16_t* unread : {u"", u"unknown bogus", u"resting step=1", u"playing step=x",
                                   u"playing step=-1", u"playing step=2.5", u"playing freq=nan"})
        EXPECT_FALSE(parseControlLine(unread)) << QString::fromUtf16(unread).toStdString();
    const std::pair<double, const char*> times[] = {
        {-3, "0:00"}, {59.9, "0:59"}, {3599, "59:59"}, {3600, "1:00:00"}, {360000, "100:00:00"}};
    for (const auto& [seconds, text] : times)
        EXPECT_EQ(playTimeText(seconds), text) << seconds;
}

// The spread inserts 18 steps after the one playing: later steps move down, the inserted ones are no
// step of the program.
TEST(GeneratorPlayer, PlayedStepsFollowTheSpread) {
    PlayedSteps steps;
    steps.reset(3);
    for (const auto& [step, count] : {std::pair{1, 3}, {2, 3}, {2, 21}, {3, 21}, {21, 21}})
        steps.follow({.step = step, .count = count});
    for (const auto& [played, program] : {std::pair{1, 1}, {2, 2}, {3, 0}, {20, 0}, {21, 3}, {22, 0}, {0, 0}})
        EXPECT_EQ(steps.programStep(played), program) << played;
    // Program steps of 10, 20 and 30 s; the spread's 18 steps of 180 s come after step 2.
    const std::pair<double, double> positions[] = {
        {0, 0}, {29, 29}, {30, 30}, {30 + 18 * 180 - 1, 30}, {30 + 18 * 180 + 5, 35}, {1e6, 60}};
    for (const auto& [at, position] : positions)
        EXPECT_DOUBLE_EQ(steps.programPosition(at, {10, 20, 30}, 180), position) << at;
}
