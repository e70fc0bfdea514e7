#include "core/enhancements/ProgramGenerators.h"

#include <charconv>
#include <gtest/gtest.h>

using namespace sono;

namespace {

// Steps 1..StepCount as "frequency:seconds", with "#label" where the label is not the step's number.
QString program(const ProgramTable& t) {
    QStringList steps;
    for (size_t i = 1; i <= static_cast<size_t>(t.StepCount); ++i) {
        std::array<char, 32> freq{};
        std::to_chars(freq.begin(), freq.end(), t.StepFreq[i]);
        steps << QStringLiteral("%1:%2").arg(freq.data()).arg(t.StepTime[i]) +
                     (t.StepNo[i] == qint16(i) ? QString() : QStringLiteral("#%1").arg(t.StepNo[i]));
    }
    return steps.join(u' ');
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

} // namespace

// Each row runs on a 1001-step table whose first step is near the single-precision limit; a refusal
// says why (any message where the row has none) and changes nothing, nor does an empty or fractional box.
TEST(ProgramGenerators, RefusalsSayWhyAndChangeNothing) {
    ProgramTable before;
    ASSERT_TRUE(makeSweep(before, u"1", u"1001", u"1", u"1"));
    before.StepFreq[1] = 3e38f;
    const SavedProgram saved = saveProgram(before);
    GeneratorMemory memory;
    using Run = std::function<Generated(ProgramTable&, const QStringList&)>;
    const std::map<char, Run> run = {
        {'s', [](auto& t, auto& a) { return makeSweep(t, a[0], a[1], a[2], a[3]); }},
        {'n', [&](auto& t, auto& a) { return makeNuke(t, memory, a[0]); }},
        {'r', [&](auto& t, auto& a) { return makeReallyNuke(t, memory, a[0]); }},
        {'o', [&](auto& t, auto& a) { return addOffset(t, saved, a[0]); }},
        {'b', [&](auto& t, auto& a) { return addBracket(t, saved, a[0]); }},
        {'u', [](auto& t, auto&) { return octaveUp(t); }},
        {'m', [&](auto& t, auto& a) {
             return makeMeditation(t, memory, {"262", "294", "330", a[0], "392", "440", "494"});
         }}};
    // Each input holds a generator's boxes separated by '|'.
    const QString accepted = QStringLiteral("(accepted)"), any;
    const std::tuple<char, QStringList, QString> rows[] = {
        {'s', {"1|2001|1|1", "1|2147483647|1|1"}, TooManyStepsText}, // would wrap a 16- or 32-bit counter
        {'s',
         {"100|200|10|", "100|200|0|60", "100|200||60", "100|200|abc|60", "100|200|0.9|60", "100|200|-5|60",
          "0|200|10|60", "|200|10|60", "abc|200|10|60", "0.9|200|10|60", "-5|200|10|60"},
         SweepValuesText},
        {'s', {"100|200|32768|60", "100|200|10|40000"}, "Step and Time must not be above 32767."},
        {'s', {"100|2147483648|10|60"}, "Start Freq. and Stop Freq. must not be above 2147483647."},
        {'s', {"inf|200|10|60"}, "Start Freq. does not hold a usable number."},
        {'s', {"100|NaN|10|60"}, "Stop Freq. does not hold a usable number."},
        {'s', {"100|200|" + QString(400, u'9') + "|60"}, "Step does not hold a usable number."},
        {'n', {"1e300"}, "Enter Freq in Hz holds a frequency too large for the program table."},
        {'n', {"0.5", "", "abc"}, accepted},
        {'n', {"inf", QString(400, u'7')}, any},
        {'r', {"4.9", ""}, ReallyNukeTooLowText},
        {'r', {"nan"}, "Enter Freq in Hz does not hold a usable number."},
        {'o', {"1e10"}, "The value must lie between -2147483648 and 2147483647."},
        {'o', {""}, accepted},
        {'b', {"0.5"}, accepted},
        {'b', {"Infinity"}, any},
        {'o', {"1"}, TooManyStepsText}, // never past 2000 steps, nor half a bracket
        {'b', {"2"}, TooManyStepsText},
        {'u', {""}, any}, // would overflow the single-precision table
        {'m', {"", "0.5"}, MeditationValuesText},
        {'m', {"inf", "1e39"}, any}};
    for (const auto& [kind, inputs, error] : rows)
        for (const QString& input : inputs) {
            ProgramTable t = before;
            const Generated g = run.at(kind)(t, input.split(u'|'));
            const QString got = g                 ? (g->isEmpty() ? accepted : g->join(u'|'))
                                : error.isEmpty() ? any
                                                  : g.error();
            EXPECT_EQ(got, error) << kind << " " << input.left(20).toStdString();
            EXPECT_EQ(program(t), program(before)) << kind << " " << input.left(20).toStdString();
        }
}

TEST(Sweep, BuildsRisingStepsAndFiveLinesUpToTwoThousandSteps) {
    ProgramTable t = tableOf({5, 6, 7});
    EXPECT_EQ(makeSweep(t, u"100", u"200", u"10", u"60").value(),
              QStringList({"Sweep", "Start Hz:  100", "Finish Hz:  200", "Step Hz:  10", "Time Sec:  60"}));
    EXPECT_EQ(program(t), "100:60 110:60 120:60 130:60 140:60 150:60 160:60 170:60 180:60 190:60 200:60");
    ASSERT_TRUE(makeSweep(t, u"100", u"125", u"10", u"5"));
    EXPECT_EQ(program(t), "100:5 110:5 120:5");
    // Halves round to even; a dot is the decimal point and trailing text is ignored.
    ASSERT_TRUE(makeSweep(t, u"2.5", u"3.5Hz", u"1", u"727.5"));
    EXPECT_EQ(program(t), "2:728 3:728 4:728"); // relabelled from 1
    EXPECT_EQ(makeSweep(t, u"200", u"100", u"10", u"60").value().size(), 5);
    EXPECT_EQ(program(t), "");
    ASSERT_TRUE(makeSweep(t, u"1", u"2000", u"1", u"1"));
    EXPECT_EQ(t.StepFreq[t.StepCount], 2000);
}

TEST(Nuke, SpreadsAroundTheTargetOrPlaysItAlone) {
    ProgramTable t = tableOf({1, 2, 3});
    GeneratorMemory memory;
    EXPECT_EQ(makeNuke(t, memory, u"727").value(),
              QStringList({"Nuke'em", "Target Freq:  727Hz", "Sweep: 724 to 730Hz"}));
    EXPECT_EQ(program(t), "724:180 725:180 726:180 727:180 728:180 729:180 730:180");
    EXPECT_EQ(makeNuke(t, memory, u"727.5").value().at(2), "Sweep: 724.5 to 730.5Hz");
    EXPECT_EQ(program(t), "724.5:180 725.5:180 726.5:180 727.5:180 728.5:180 729.5:180 730.5:180");
    EXPECT_EQ(makeReallyNuke(t, memory, u"5").value(),
              QStringList({"Really NUKE'em", "Target Freq:  5Hz", "Sweep: 2 to 8Hz", "Press <shift> <N> when",
                           "  Freqgen is running."}));
    EXPECT_EQ(program(t), "5:180");
}

TEST(OffsetBracket, AppendWholeHertzCopiesOfTheSavedProgramUpToTwoThousandSteps) {
    ProgramTable t = tableOf({100, 200});
    const SavedProgram saved = saveProgram(t);
    EXPECT_EQ(addOffset(t, saved, u"1").value(), QStringList({"Offset  1 added"}));
    EXPECT_EQ(addBracket(t, saved, u"2").value(), QStringList({"Bracket  2 added"}));
    EXPECT_EQ(program(t), "100:60 200:60 101:180 201:180 102:180 202:180 98:180 198:180");
    t = tableOf({100, 200});
    EXPECT_EQ(addBracket(t, saved, u"2.5").value(), QStringList({"Bracket  2 added"}));
    EXPECT_EQ(addOffset(t, saved, u"-1").value(), QStringList({"Offset -1 added"}));
    EXPECT_EQ(program(t), "100:60 200:60 102:180 202:180 98:180 198:180 99:180 199:180");
    ASSERT_TRUE(makeSweep(t, u"1", u"1000", u"1", u"1"));
    ASSERT_TRUE(addOffset(t, saveProgram(t), u"1"));
    EXPECT_EQ(t.StepCount, 2000);
}

TEST(Octave, ShiftsEveryStepAndRestoreGivesBackTheOpeningProgram) {
    ProgramTable t = tableOf({7.83f});
    ASSERT_TRUE(octaveUp(t) && t.StepFreq[1] == 15.66f && octaveDown(t));
    EXPECT_EQ(octaveDown(t).value(), QStringList({"Octave down 1"}));
    EXPECT_EQ(t.StepFreq[1], 3.915f);

    t = tableOf({100, 7.83f, 528}, 90);
    const SavedProgram saved = saveProgram(t);
    ASSERT_TRUE(octaveUp(t) && addBracket(t, saved, u"3") && octaveDown(t) && addOffset(t, saved, u"-2"));
    GeneratorMemory memory;
    ASSERT_TRUE(makeNuke(t, memory, u"727")); // another window replaced the table meanwhile
    EXPECT_EQ(restoreProgram(t, saved).value(), QStringList({"Program restored"}));
    EXPECT_EQ(program(t), "100:90 7.83:90 528:90");
}

TEST(Meditation, ClimbsAndFallsThroughTheSevenNotes) {
    ProgramTable t;
    GeneratorMemory memory;
    EXPECT_EQ(makeMeditation(t, memory, {"262", "294", "330", "349", "392", "440", "494"}).value(),
              QStringList({"CC-Meditation", "Freq:  1 = 262Hz", "Freq:  2 = 294Hz", "Freq:  3 = 330Hz",
                           "Freq:  4 = 349Hz", "Freq:  5 = 392Hz", "Freq:  6 = 440Hz", "Freq:  7 = 494Hz"}));
    // 100 climbs and falls of one second each.
    EXPECT_EQ(
        program(t) + " ",
        QString("262:1 294:1 330:1 349:1 392:1 440:1 494:1 440:1 392:1 349:1 330:1 294:1 ").repeated(100));
}
