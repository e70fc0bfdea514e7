#include "core/enhancements/ProgramGenerators.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

// Steps 1..StepCount of a table, comparable as a whole.
struct Steps {
    std::vector<float> freq;
    std::vector<qint16> time, no;
    bool operator==(const Steps&) const = default;
};

Steps steps(const ProgramTable& t) {
    const auto end = static_cast<size_t>(t.StepCount) + 1;
    return {{t.StepFreq.begin() + 1, t.StepFreq.begin() + end},
            {t.StepTime.begin() + 1, t.StepTime.begin() + end},
            {t.StepNo.begin() + 1, t.StepNo.begin() + end}};
}

ProgramTable tableOf(std::initializer_list<float> hz, qint16 seconds = 60) {
    ProgramTable t;
    for (float f : hz) {
        const auto i = static_cast<size_t>(++t.StepCount);
        t.StepFreq[i] = f;
        t.StepTime[i] = seconds;
        t.StepNo[i] = static_cast<qint16>(10 + i);
    }
    return t;
}

QString refusal(const Generated& g) {
    return g ? QStringLiteral("(accepted)") : g.error();
}

} // namespace

TEST(Sweep, BuildsRisingStepsAndFiveLines) {
    ProgramTable t = tableOf({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
    EXPECT_EQ(makeSweep(t, u"100", u"200", u"10", u"60").value(),
              QStringList({"Sweep", "Start Hz:  100", "Finish Hz:  200", "Step Hz:  10", "Time Sec:  60"}));
    EXPECT_EQ(steps(t), Steps({{100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200},
                               std::vector<qint16>(11, 60),
                               {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}));

    ASSERT_TRUE(makeSweep(t, u"100", u"125", u"10", u"5"));
    EXPECT_EQ(steps(t).freq, std::vector<float>({100, 110, 120}));
    // Halves round to even; a dot is the decimal point and trailing text is ignored.
    ASSERT_TRUE(makeSweep(t, u"2.5", u"3.5Hz", u"1", u"727.5"));
    EXPECT_EQ(steps(t).freq, std::vector<float>({2, 3, 4}));
    EXPECT_EQ(steps(t).time, std::vector<qint16>(3, 728));

    EXPECT_EQ(makeSweep(t, u"200", u"100", u"10", u"60").value().size(), 5);
    EXPECT_EQ(t.StepCount, 0);
}

TEST(Sweep, RefusesBeforeAnythingChangesAndTwoThousandStepsFit) {
    const ProgramTable before = tableOf({7.83f, 528});
    ProgramTable t = before;
    const struct {
        QString start, stop, step, time, error;
    } rows[] = {
        {"1", "2001", "1", "1", TooManyStepsText},
        {"1", "2147483647", "1", "1", TooManyStepsText}, // would wrap a 16- or 32-bit counter
        {"100", "200", "10", "", SweepValuesText},
        {"100", "200", "32768", "60", "Step and Time must not be above 32767."},
        {"100", "200", "10", "40000", "Step and Time must not be above 32767."},
        {"100", "2147483648", "10", "60", "Start Freq. and Stop Freq. must not be above 2147483647."},
        {"inf", "200", "10", "60", "Start Freq. does not hold a usable number."},
        {"100", "NaN", "10", "60", "Stop Freq. does not hold a usable number."},
        {"100", "200", QString(400, u'9'), "60", "Step does not hold a usable number."},
    };
    for (const auto& r : rows)
        EXPECT_EQ(refusal(makeSweep(t, r.start, r.stop, r.step, r.time)), r.error)
            << (r.start + " " + r.stop + " " + r.step.left(9) + " " + r.time).toStdString();
    for (const QString& box : QStringList{"0", "", "abc", "0.9", "-5"}) {
        EXPECT_EQ(refusal(makeSweep(t, u"100", u"200", box, u"60")), SweepValuesText);
        EXPECT_EQ(refusal(makeSweep(t, box, u"200", u"10", u"60")), SweepValuesText);
    }
    EXPECT_EQ(steps(t), steps(before));

    ASSERT_TRUE(makeSweep(t, u"1", u"2000", u"1", u"1"));
    EXPECT_EQ(t.StepCount, 2000);
    EXPECT_EQ(t.StepFreq[2000], 2000);
}

TEST(Nuke, SpreadsOrPlaysAloneUsableTargetsOnly) {
    const ProgramTable before = tableOf({1, 2, 3, 4, 5, 6, 7, 8, 9});
    ProgramTable t = before;
    GeneratorMemory memory;
    for (const QString& box : QStringList{"0.5", "", "abc"})
        EXPECT_EQ(makeNuke(t, memory, box).value(), QStringList());
    EXPECT_FALSE(makeNuke(t, memory, u"inf"));
    EXPECT_FALSE(makeNuke(t, memory, QString(400, u'7')));
    EXPECT_EQ(refusal(makeNuke(t, memory, u"1e300")),
              "Enter Freq in Hz holds a frequency too large for the program table.");
    EXPECT_EQ(refusal(makeReallyNuke(t, memory, u"4.9")), ReallyNukeTooLowText);
    EXPECT_EQ(refusal(makeReallyNuke(t, memory, u"")), ReallyNukeTooLowText);
    EXPECT_EQ(refusal(makeReallyNuke(t, memory, u"nan")), "Enter Freq in Hz does not hold a usable number.");
    EXPECT_EQ(steps(t), steps(before));

    EXPECT_EQ(makeNuke(t, memory, u"727").value(),
              QStringList({"Nuke'em", "Target Freq:  727Hz", "Sweep: 724 to 730Hz"}));
    EXPECT_EQ(
        steps(t),
        Steps({{724, 725, 726, 727, 728, 729, 730}, std::vector<qint16>(7, 180), {1, 2, 3, 4, 5, 6, 7}}));

    EXPECT_EQ(makeNuke(t, memory, u"727.5").value().at(2), "Sweep: 724.5 to 730.5Hz");
    EXPECT_EQ(steps(t).freq, std::vector<float>({724.5f, 725.5f, 726.5f, 727.5f, 728.5f, 729.5f, 730.5f}));

    EXPECT_EQ(makeReallyNuke(t, memory, u"5").value(),
              QStringList({"Really NUKE'em", "Target Freq:  5Hz", "Sweep: 2 to 8Hz", "Press <shift> <N> when",
                           "  Freqgen is running."}));
    EXPECT_EQ(steps(t), Steps({{5}, {180}, {1}}));
}

TEST(OffsetBracket, AppendWholeHertzCopiesOfTheSavedProgramUpToTwoThousandSteps) {
    ProgramTable t = tableOf({100, 200});
    SavedProgram saved = saveProgram(t);
    EXPECT_EQ(addOffset(t, saved, u"").value(), QStringList());
    EXPECT_EQ(addBracket(t, saved, u"0.5").value(), QStringList());
    EXPECT_EQ(t.StepCount, 2);

    EXPECT_EQ(addOffset(t, saved, u"1").value(), QStringList({"Offset  1 added"}));
    EXPECT_EQ(addBracket(t, saved, u"2").value(), QStringList({"Bracket  2 added"}));
    EXPECT_EQ(steps(t), Steps({{100, 200, 101, 201, 102, 202, 98, 198},
                               {60, 60, 180, 180, 180, 180, 180, 180},
                               {1, 2, 3, 4, 5, 6, 7, 8}}));

    t = tableOf({100, 200});
    EXPECT_EQ(addBracket(t, saved, u"2.5").value(), QStringList({"Bracket  2 added"}));
    EXPECT_EQ(addOffset(t, saved, u"-1").value(), QStringList({"Offset -1 added"}));
    EXPECT_EQ(steps(t).freq, std::vector<float>({100, 200, 102, 202, 98, 198, 99, 199}));

    // Never past 2000 steps, nor half a bracket.
    ASSERT_TRUE(makeSweep(t, u"1", u"1001", u"1", u"1"));
    const ProgramTable full = t;
    EXPECT_EQ(refusal(addOffset(t, saveProgram(t), u"1")), TooManyStepsText);
    EXPECT_EQ(steps(t), steps(full));
    ASSERT_TRUE(makeSweep(t, u"1", u"1000", u"1", u"1"));
    ASSERT_TRUE(addOffset(t, saveProgram(t), u"1"));
    EXPECT_EQ(t.StepCount, 2000);

    ASSERT_TRUE(makeSweep(t, u"1", u"700", u"1", u"1"));
    saved = saveProgram(t);
    EXPECT_EQ(refusal(addBracket(t, saved, u"2")), TooManyStepsText);
    EXPECT_EQ(refusal(addOffset(t, saved, u"1e10")),
              "The value must lie between -2147483648 and 2147483647.");
    EXPECT_FALSE(addBracket(t, saved, u"Infinity"));
    EXPECT_EQ(t.StepCount, 700);
}

TEST(Octave, ShiftsEveryStepAndRestoreGivesBackTheOpeningProgram) {
    ProgramTable t = tableOf({7.83f, 3e38f});
    EXPECT_FALSE(octaveUp(t)); // would overflow the single-precision table
    EXPECT_EQ(steps(t).freq, std::vector<float>({7.83f, 3e38f}));
    t = tableOf({7.83f});
    ASSERT_TRUE(octaveUp(t));
    EXPECT_EQ(t.StepFreq[1], 15.66f);
    ASSERT_TRUE(octaveDown(t));
    EXPECT_EQ(octaveDown(t).value(), QStringList({"Octave down 1"}));
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
    EXPECT_EQ(restoreProgram(t, saved).value(), QStringList({"Program restored"}));
    EXPECT_EQ(steps(t), Steps({{100, 7.83f, 528}, {90, 90, 90}, {1, 2, 3}}));
}

TEST(Meditation, ClimbsAndFallsThroughTheSevenNotesOnlyWhenAllAreUsable) {
    const ProgramTable before = tableOf({100, 200});
    ProgramTable t = before;
    GeneratorMemory memory;
    std::array<QString, 7> notes{"262", "294", "330", "", "392", "440", "494"};
    EXPECT_EQ(refusal(makeMeditation(t, memory, notes)), MeditationValuesText);
    notes[3] = "0.5";
    EXPECT_EQ(refusal(makeMeditation(t, memory, notes)), MeditationValuesText);
    for (const char* unusable : {"inf", "1e39"}) {
        notes[3] = unusable;
        EXPECT_FALSE(makeMeditation(t, memory, notes)) << unusable;
    }
    EXPECT_EQ(steps(t), steps(before));

    notes[3] = "349";
    EXPECT_EQ(makeMeditation(t, memory, notes).value(),
              QStringList({"CC-Meditation", "Freq:  1 = 262Hz", "Freq:  2 = 294Hz", "Freq:  3 = 330Hz",
                           "Freq:  4 = 349Hz", "Freq:  5 = 392Hz", "Freq:  6 = 440Hz", "Freq:  7 = 494Hz"}));
    const Steps all = steps(t);
    EXPECT_EQ(std::vector<float>(all.freq.begin(), all.freq.begin() + 13),
              std::vector<float>({262, 294, 330, 349, 392, 440, 494, 440, 392, 349, 330, 294, 262}));
    EXPECT_EQ(all.freq[1199], 294);
    ASSERT_EQ(all.time, std::vector<qint16>(1200, 1));
    EXPECT_EQ(all.no.back(), 1200);
}
