#include "enhancements/ProgramGenerators.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

std::vector<float> freqs(const ProgramTable& t) {
    return std::vector<float>(t.StepFreq.begin() + 1, t.StepFreq.begin() + 1 + t.StepCount);
}
std::vector<qint16> times(const ProgramTable& t) {
    return std::vector<qint16>(t.StepTime.begin() + 1, t.StepTime.begin() + 1 + t.StepCount);
}
std::vector<qint16> numbers(const ProgramTable& t) {
    return std::vector<qint16>(t.StepNo.begin() + 1, t.StepNo.begin() + 1 + t.StepCount);
}

ProgramTable tableOf(std::initializer_list<float> hz, qint16 seconds = 60) {
    ProgramTable t;
    for (float f : hz) {
        ++t.StepCount;
        t.StepFreq[static_cast<size_t>(t.StepCount)] = f;
        t.StepTime[static_cast<size_t>(t.StepCount)] = seconds;
        t.StepNo[static_cast<size_t>(t.StepCount)] = static_cast<qint16>(10 + t.StepCount);
    }
    return t;
}

bool sameSteps(const ProgramTable& a, const ProgramTable& b) {
    return freqs(a) == freqs(b) && times(a) == times(b) && numbers(a) == numbers(b);
}

} // namespace

TEST(Sweep, BuildsRisingStepsAndFiveLines) {
    ProgramTable t = tableOf({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
    const auto lines = makeSweep(t, u"100", u"200", u"10", u"60");
    ASSERT_TRUE(lines) << lines.error().toStdString();
    EXPECT_EQ(*lines,
              QStringList({"Sweep", "Start Hz:  100", "Finish Hz:  200", "Step Hz:  10", "Time Sec:  60"}));
    EXPECT_EQ(freqs(t), std::vector<float>({100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200}));
    EXPECT_EQ(times(t), std::vector<qint16>(11, 60));
    EXPECT_EQ(numbers(t), std::vector<qint16>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    // The old, longer program's tail is zeroed rather than left behind.
    EXPECT_EQ(t.StepFreq[12], 0);
    EXPECT_EQ(t.StepTime[15], 0);
}

TEST(Sweep, StopsBelowAnUnreachedFinishAndEmptiesWhenStartIsAbove) {
    ProgramTable t;
    ASSERT_TRUE(makeSweep(t, u"100", u"125", u"10", u"5"));
    EXPECT_EQ(freqs(t), std::vector<float>({100, 110, 120}));

    const auto lines = makeSweep(t, u"200", u"100", u"10", u"60");
    ASSERT_TRUE(lines);
    EXPECT_EQ(t.StepCount, 0);
    EXPECT_EQ(t.StepFreq[1], 0);
    EXPECT_EQ(lines->size(), 5);
    EXPECT_EQ(lines->at(1), "Start Hz:  200");
}

TEST(Sweep, RoundsHalvesToEvenAndReadsDotsWhateverTheLocale) {
    ProgramTable t;
    auto lines = makeSweep(t, u"1.5", u"3", u"1", u"60");
    ASSERT_TRUE(lines);
    EXPECT_EQ(freqs(t), std::vector<float>({2, 3}));
    lines = makeSweep(t, u"2.5", u"3.5Hz", u"1", u"727.5");
    ASSERT_TRUE(lines);
    EXPECT_EQ(freqs(t), std::vector<float>({2, 3, 4}));
    EXPECT_EQ(times(t), std::vector<qint16>(3, 728));
}

TEST(Sweep, TwoThousandStepsFitAndOneMoreIsRefusedBeforeAnythingChanges) {
    ProgramTable t;
    ASSERT_TRUE(makeSweep(t, u"1", u"2000", u"1", u"1"));
    EXPECT_EQ(t.StepCount, 2000);
    EXPECT_EQ(t.StepFreq[2000], 2000);

    const ProgramTable before = tableOf({7.83f, 528});
    t = before;
    EXPECT_EQ(makeSweep(t, u"1", u"2001", u"1", u"1").error(), TooManyStepsText);
    EXPECT_TRUE(sameSteps(t, before));
    // Counts that would wrap a 16- or 32-bit counter are still refused, not looped over.
    EXPECT_EQ(makeSweep(t, u"1", u"2147483647", u"1", u"1").error(), TooManyStepsText);
    EXPECT_TRUE(sameSteps(t, before));
}

TEST(Sweep, MissingSmallOrUnusableValuesLeaveTheTable) {
    const ProgramTable before = tableOf({7.83f, 528});
    ProgramTable t = before;
    for (const QString& box : QStringList{"0", "", "abc", "0.9", "-5"}) {
        EXPECT_EQ(makeSweep(t, u"100", u"200", box, u"60").error(), SweepValuesText);
        EXPECT_EQ(makeSweep(t, box, u"200", u"10", u"60").error(), SweepValuesText);
    }
    EXPECT_EQ(makeSweep(t, u"100", u"200", u"10", u"").error(), SweepValuesText);
    EXPECT_EQ(makeSweep(t, u"100", u"200", u"32768", u"60").error(),
              "Step and Time must not be above 32767.");
    EXPECT_EQ(makeSweep(t, u"100", u"200", u"10", u"40000").error(),
              "Step and Time must not be above 32767.");
    EXPECT_EQ(makeSweep(t, u"100", u"2147483648", u"10", u"60").error(),
              "Start Freq. and Stop Freq. must not be above 2147483647.");
    EXPECT_EQ(makeSweep(t, u"inf", u"200", u"10", u"60").error(),
              "Start Freq. does not hold a usable number.");
    EXPECT_EQ(makeSweep(t, u"100", u"NaN", u"10", u"60").error(),
              "Stop Freq. does not hold a usable number.");
    EXPECT_EQ(makeSweep(t, u"100", u"200", QString(400, u'9'), u"60").error(),
              "Step does not hold a usable number.");
    EXPECT_TRUE(sameSteps(t, before));
}

TEST(Nuke, SevenStepsAroundTheTarget) {
    ProgramTable t = tableOf({1, 2, 3, 4, 5, 6, 7, 8, 9});
    GeneratorMemory memory;
    auto lines = makeNuke(t, memory, u"727");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"Nuke'em", "Target Freq:  727Hz", "Sweep: 724 to 730Hz"}));
    EXPECT_EQ(freqs(t), std::vector<float>({724, 725, 726, 727, 728, 729, 730}));
    EXPECT_EQ(times(t), std::vector<qint16>(7, 180));
    EXPECT_EQ(numbers(t), std::vector<qint16>({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(t.StepFreq[8], 0);
    EXPECT_EQ(memory.TargetFreq, 727);

    lines = makeNuke(t, memory, u"727.5");
    ASSERT_TRUE(lines);
    EXPECT_EQ(freqs(t), std::vector<float>({724.5f, 725.5f, 726.5f, 727.5f, 728.5f, 729.5f, 730.5f}));
    EXPECT_EQ(lines->at(2), "Sweep: 724.5 to 730.5Hz");
}

TEST(Nuke, SmallOrEmptyTargetsAreIgnoredAndUnusableOnesRefused) {
    const ProgramTable before = tableOf({100, 200});
    ProgramTable t = before;
    GeneratorMemory memory;
    for (const QString& box : QStringList{"0.5", "", "abc"}) {
        const auto lines = makeNuke(t, memory, box);
        ASSERT_TRUE(lines);
        EXPECT_TRUE(lines->isEmpty());
    }
    EXPECT_FALSE(makeNuke(t, memory, u"inf"));
    EXPECT_FALSE(makeNuke(t, memory, QString(400, u'7')));
    EXPECT_EQ(makeNuke(t, memory, u"1e300").error(),
              "Enter Freq in Hz holds a frequency too large for the program table.");
    EXPECT_TRUE(sameSteps(t, before));
    EXPECT_EQ(memory.TargetFreq, 0);
}

TEST(ReallyNuke, TargetAloneWithFiveLinesFromFiveHertz) {
    const ProgramTable before = tableOf({100, 200});
    ProgramTable t = before;
    GeneratorMemory memory;
    EXPECT_EQ(makeReallyNuke(t, memory, u"4.9").error(), ReallyNukeTooLowText);
    EXPECT_EQ(makeReallyNuke(t, memory, u"").error(), ReallyNukeTooLowText);
    EXPECT_EQ(makeReallyNuke(t, memory, u"nan").error(), "Enter Freq in Hz does not hold a usable number.");
    EXPECT_TRUE(sameSteps(t, before));

    const auto lines = makeReallyNuke(t, memory, u"5");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"Really NUKE'em", "Target Freq:  5Hz", "Sweep: 2 to 8Hz",
                                   "Press <shift> <N> when", "  Freqgen is running."}));
    EXPECT_EQ(freqs(t), std::vector<float>({5}));
    EXPECT_EQ(times(t), std::vector<qint16>({180}));
    EXPECT_EQ(t.StepFreq[2], 0);
    EXPECT_EQ(memory.TargetFreq, 5);
}

TEST(OffsetBracket, AppendShiftedCopiesOfTheSavedProgram) {
    ProgramTable t = tableOf({100, 200});
    const SavedProgram saved = saveProgram(t);
    auto lines = addOffset(t, saved, u"1");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"Offset  1 added"}));
    lines = addBracket(t, saved, u"2");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, QStringList({"Bracket  2 added"}));
    EXPECT_EQ(freqs(t), std::vector<float>({100, 200, 101, 201, 102, 202, 98, 198}));
    EXPECT_EQ(times(t), std::vector<qint16>({60, 60, 180, 180, 180, 180, 180, 180}));
    EXPECT_EQ(numbers(t), std::vector<qint16>({1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(OffsetBracket, ValuesRoundHalfToEvenAndSmallBracketsDoNothing) {
    ProgramTable t = tableOf({100, 200});
    const SavedProgram saved = saveProgram(t);
    ASSERT_TRUE(addOffset(t, saved, u"-1"));
    EXPECT_EQ(addOffset(t, saved, u"abc")->at(0), "Offset  0 added");
    EXPECT_EQ(freqs(t), std::vector<float>({100, 200, 99, 199, 100, 200}));
    EXPECT_EQ(addOffset(t, saved, u"-1")->at(0), "Offset -1 added");

    ProgramTable u = tableOf({100, 200});
    EXPECT_TRUE(addOffset(u, saved, u"")->isEmpty());
    EXPECT_TRUE(addBracket(u, saved, u"0.5")->isEmpty());
    EXPECT_EQ(u.StepCount, 2);
    EXPECT_EQ(addBracket(u, saved, u"2.5")->at(0), "Bracket  2 added");
    EXPECT_EQ(addBracket(u, saved, u"1.5")->at(0), "Bracket  2 added");
    EXPECT_EQ(freqs(u), std::vector<float>({100, 200, 102, 202, 98, 198, 102, 202, 98, 198}));
}

TEST(OffsetBracket, NeverPassTwoThousandStepsNorHalfABracket) {
    ProgramTable t;
    ASSERT_TRUE(makeSweep(t, u"1", u"1000", u"1", u"1"));
    const SavedProgram saved = saveProgram(t);
    ASSERT_TRUE(addOffset(t, saved, u"1"));
    EXPECT_EQ(t.StepCount, 2000);
    const ProgramTable full = t;
    EXPECT_EQ(addOffset(t, saved, u"1").error(), TooManyStepsText);
    EXPECT_TRUE(sameSteps(t, full));

    ProgramTable u;
    ASSERT_TRUE(makeSweep(u, u"1", u"1001", u"1", u"1"));
    const SavedProgram saved1001 = saveProgram(u);
    EXPECT_EQ(addOffset(u, saved1001, u"1").error(), TooManyStepsText);
    EXPECT_EQ(u.StepCount, 1001);

    ProgramTable v;
    ASSERT_TRUE(makeSweep(v, u"1", u"700", u"1", u"1"));
    const SavedProgram saved700 = saveProgram(v);
    EXPECT_EQ(addBracket(v, saved700, u"2").error(), TooManyStepsText);
    EXPECT_EQ(v.StepCount, 700);
    EXPECT_EQ(addOffset(v, saved700, u"1e10").error(),
              "The value must lie between -2147483648 and 2147483647.");
    EXPECT_FALSE(addBracket(v, saved700, u"Infinity"));
    EXPECT_EQ(v.StepCount, 700);
}

TEST(Octave, ShiftsEveryStepAndRestoreGivesBackTheOpeningProgram) {
    ProgramTable t = tableOf({7.83f});
    ASSERT_TRUE(octaveUp(t));
    EXPECT_EQ(t.StepFreq[1], 15.66f);
    t = tableOf({7.83f});
    EXPECT_EQ(octaveDown(t)->at(0), "Octave down 1");
    EXPECT_EQ(t.StepFreq[1], 3.915f);

    const ProgramTable opening = tableOf({100, 7.83f, 528}, 90);
    t = opening;
    const SavedProgram saved = saveProgram(t);
    ASSERT_TRUE(octaveUp(t));
    ASSERT_TRUE(addBracket(t, saved, u"3"));
    ASSERT_TRUE(octaveDown(t));
    ASSERT_TRUE(addOffset(t, saved, u"-2"));
    GeneratorMemory memory;
    ASSERT_TRUE(makeNuke(t, memory, u"727")); // another window replaced the table meanwhile
    EXPECT_EQ(restoreProgram(t, saved)->at(0), "Program restored");
    EXPECT_EQ(freqs(t), freqs(opening));
    EXPECT_EQ(times(t), times(opening));
    EXPECT_EQ(numbers(t), std::vector<qint16>({1, 2, 3}));
}

TEST(Octave, RefusesToOverflowTheSinglePrecisionTable) {
    ProgramTable t = tableOf({3e38f});
    EXPECT_FALSE(octaveUp(t));
    EXPECT_EQ(t.StepFreq[1], 3e38f);
}

TEST(Meditation, ClimbsAndFallsThroughTheSevenNotes) {
    ProgramTable t;
    ASSERT_TRUE(makeSweep(t, u"1", u"1500", u"1", u"60"));
    GeneratorMemory memory;
    const auto lines = makeMeditation(t, memory, {"262", "294", "330", "349", "392", "440", "494"});
    ASSERT_TRUE(lines);
    EXPECT_EQ(t.StepCount, 1200);
    const std::vector<float> all = freqs(t);
    EXPECT_EQ(std::vector<float>(all.begin(), all.begin() + 13),
              std::vector<float>({262, 294, 330, 349, 392, 440, 494, 440, 392, 349, 330, 294, 262}));
    EXPECT_EQ(all[1199], 294);
    EXPECT_EQ(times(t), std::vector<qint16>(1200, 1));
    EXPECT_EQ(t.StepNo[1200], 1200);
    EXPECT_EQ(*lines,
              QStringList({"CC-Meditation", "Freq:  1 = 262Hz", "Freq:  2 = 294Hz", "Freq:  3 = 330Hz",
                           "Freq:  4 = 349Hz", "Freq:  5 = 392Hz", "Freq:  6 = 440Hz", "Freq:  7 = 494Hz"}));
    EXPECT_EQ(memory.MeditationNote[6], 494);
}

TEST(Meditation, AnyEmptyOrUnusableBoxLeavesTheTable) {
    const ProgramTable before = tableOf({100, 200});
    ProgramTable t = before;
    GeneratorMemory memory;
    EXPECT_EQ(makeMeditation(t, memory, {"262", "294", "330", "", "392", "440", "494"}).error(),
              MeditationValuesText);
    EXPECT_EQ(makeMeditation(t, memory, {"262", "294", "330", "349", "392", "440", "0.5"}).error(),
              MeditationValuesText);
    EXPECT_FALSE(makeMeditation(t, memory, {"262", "294", "330", "349", "392", "inf", "494"}));
    EXPECT_FALSE(makeMeditation(t, memory, {"262", "294", "330", "349", "392", "1e39", "494"}));
    EXPECT_TRUE(sameSteps(t, before));
    EXPECT_EQ(memory.MeditationNote[0], 0);
}
