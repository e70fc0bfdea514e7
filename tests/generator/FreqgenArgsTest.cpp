#include "generator/FreqgenArgs.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

QString argsFor(const ManagerControls& c, qint16 waveType = 0,
                const QString& name = QStringLiteral("default")) {
    GeneratorSettings g;
    g.WaveType = waveType;
    g.ProgramName = name;
    buildFreqgenArgs(c, g);
    return g.FreqgenArgs;
}

} // namespace

TEST(FreqgenArgs, ExampleRowsAndTheStartupProgram) {
    ManagerControls c;
    EXPECT_EQ(argsFor(c), "-vl 0.5 -vr 0.5 -f default");

    ManagerControls off;
    off.leftOn = off.rightOn = false;
    EXPECT_EQ(argsFor(off), "-vl 0  -vr 0 -f default");

    ManagerControls all;
    all.leftVolume = QStringLiteral("0.8");
    all.rightOn = false;
    all.recordSession = all.extendedHardware = all.leftEqualsRight = true;
    all.phase = 90;
    all.gating = 10;
    EXPECT_EQ(argsFor(all, 1), "-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default");

    ManagerControls loud;
    loud.leftVolume = QStringLiteral("1.5");
    loud.rightVolume = QStringLiteral("2");
    EXPECT_EQ(argsFor(loud), "-vl 1 -vr 1  -f default");

    ManagerControls startup; // default.prg has session recording on
    startup.recordSession = true;
    EXPECT_EQ(argsFor(startup), "-vl 0.5 -vr 0.5 -r -f default");
}

TEST(FreqgenArgs, VolumesAreClampedOnlyAboveOneAndTheClampIsKept) {
    ManagerControls c;
    c.leftVolume = QString();
    c.rightVolume = QStringLiteral("1.0001");
    GeneratorSettings g;
    buildFreqgenArgs(c, g);
    EXPECT_EQ(g.FreqgenArgs, "-vl 0 -vr 1  -f default");
    EXPECT_EQ(g.VolLeft, "0");
    EXPECT_EQ(g.VolRight, "1 "); // what a following save writes

    c.leftVolume = QStringLiteral("1");
    c.rightVolume = QStringLiteral("loud");
    buildFreqgenArgs(c, g);
    EXPECT_EQ(g.FreqgenArgs, "-vl 1 -vr loud -f default");
    EXPECT_EQ(g.VolLeft, "1");
}

TEST(FreqgenArgs, WavePhaseAndGatingForms) {
    ManagerControls c;
    EXPECT_EQ(argsFor(c, 1), "-vl 0.5 -vr 0.5 -S -f default");
    EXPECT_EQ(argsFor(c, 2), "-vl 0.5 -vr 0.5 -T -f default");
    EXPECT_EQ(argsFor(c, 3), "-vl 0.5 -vr 0.5 -f default"); // the triangle has no option of its own
    c.phase = 0.5f;
    EXPECT_EQ(argsFor(c), "-vl 0.5 -vr 0.5 -P .5 -f default");
    c.phase = 12.25f;
    EXPECT_EQ(argsFor(c, 0, QStringLiteral("sweep1")), "-vl 0.5 -vr 0.5 -P 12.25 -f sweep1");
    c.phase = -5;
    c.gating = 0;
    EXPECT_EQ(argsFor(c), "-vl 0.5 -vr 0.5 -f default");
}

TEST(FreqgenArgs, PhaseAndGatingBoxes) {
    EXPECT_EQ(parsePhaseText(QString()).value(), 0.0f);
    EXPECT_EQ(parsePhaseText(QStringLiteral("12.5")).value(), 12.5f);
    EXPECT_FALSE(parsePhaseText(QStringLiteral("12.5x")));
    EXPECT_FALSE(parsePhaseText(QStringLiteral("1e300")));
    EXPECT_EQ(parseGatingText(QStringLiteral(" ")).value(), 0);
    EXPECT_EQ(parseGatingText(QStringLiteral("32767")).value(), 32767);
    EXPECT_FALSE(parseGatingText(QStringLiteral("32768")));
    EXPECT_FALSE(parseGatingText(QStringLiteral("-1")));
    EXPECT_FALSE(parseGatingText(QStringLiteral("2.5")));
    EXPECT_FALSE(parseGatingText(QStringLiteral("ten")));
}

TEST(FreqgenArgs, ProgramNamesStayInsideTheFolderAndOneWord) {
    EXPECT_EQ(validateProgramName(QStringLiteral("sweep1")).value(), "sweep1");
    EXPECT_EQ(validateProgramName(QStringLiteral("  test ")).value(), "test");
    for (const char* bad : {"", "   ", ".", "..", "../x", "a/b", "a\\b", "two words", "tab\there", "bell\a"})
        EXPECT_FALSE(validateProgramName(QString::fromLatin1(bad))) << bad;
}

TEST(FreqgenArgs, CommandLineDirectAndInsideATerminal) {
    const FreqgenCommand direct = freqgenCommandLine(QStringLiteral("/opt/sono"),
                                                     QStringLiteral("-vl 1 -vr 1  -r -f default"), QString());
    EXPECT_EQ(direct.program, "/opt/sono/freqgen");
    EXPECT_EQ(direct.arguments, QStringList({"-vl", "1", "-vr", "1", "-r", "-f", "default.run"}));

    const FreqgenCommand terminal =
        freqgenCommandLine(QStringLiteral("/opt/sono"), QStringLiteral("-vl 0  -vr 0 -P 90 -f sweep1"),
                           QStringLiteral("/usr/bin/x-terminal-emulator"));
    EXPECT_EQ(terminal.program, "/usr/bin/x-terminal-emulator");
    EXPECT_EQ(terminal.arguments, QStringList({"-e", "/opt/sono/freqgen", "-vl", "0", "-vr", "0", "-P", "90",
                                               "-f", "sweep1.run"}));
}
