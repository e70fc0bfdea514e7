#include "core/generator/FreqgenArgs.h"

#include <gtest/gtest.h>

using namespace sono;

TEST(FreqgenArgs, OptionStringRows) {
    const std::tuple<ManagerControls, qint16, const char*> rows[] = {
        {{}, 0, "-vl 0.5 -vr 0.5 -f default"},
        {{.leftOn = false, .rightOn = false}, 0, "-vl 0  -vr 0 -f default"},
        {{.rightOn = false, .phase = 90, .gating = 10}, 1, "-vl 0.5 -vr 0 -S -P 90 -p 10 -f default"},
        {{.extendedHardware = true, .leftEqualsRight = true}, 0, "-vl 0.5 -vr 0.5 -e -l=r -f default"},
        {{.leftVolume = "0.8", .recordSession = true}, 0, "-vl 0.8 -vr 0.5 -r -f default"},
        {{.leftVolume = "1.5", .rightVolume = "2"}, 0, "-vl 1 -vr 1  -f default"},
        {{.leftVolume = "", .rightVolume = "1.0001"}, 0, "-vl 0 -vr 1  -f default"},
        {{.leftVolume = "1", .rightVolume = "0.5 --wav x"}, 0, "-vl 1 -vr 0 -f default"}, // never unchecked
        {{}, 2, "-vl 0.5 -vr 0.5 -T -f default"},
        {{}, 3, "-vl 0.5 -vr 0.5 -f default"}, // the triangle has no option of its own
        {{.phase = 0.5f}, 0, "-vl 0.5 -vr 0.5 -P .5 -f default"},
        {{.phase = 12.25f}, 0, "-vl 0.5 -vr 0.5 -P 12.25 -f default"},
        {{.phase = -5, .gating = 0}, 0, "-vl 0.5 -vr 0.5 -f default"},
    };
    for (const auto& [controls, wave, expected] : rows) {
        GeneratorSettings g;
        g.WaveType = wave;
        buildFreqgenArgs(controls, g);
        EXPECT_EQ(g.FreqgenArgs, expected);
    }
}

TEST(FreqgenArgs, VolumePhaseGatingAndNameBoxes) {
    // Volumes are given back as typed; "1 " is what a clamp saves in a program file.
    for (const char* good : {"0.5", ".5", "1 ", " 0", "1.5", "2"})
        EXPECT_EQ(parseVolumeText(QString::fromLatin1(good)).value(), good);
    EXPECT_EQ(parseVolumeText(QString()).value(), "0");
    for (const char* bad : {"abc", "0,5", "-0.3", "0.5 x", "   ", "0.5\t-r", "1e999"})
        EXPECT_FALSE(parseVolumeText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(parsePhaseText(QString()).value(), 0.0f);
    EXPECT_EQ(parsePhaseText(QStringLiteral("12.5")).value(), 12.5f);
    EXPECT_EQ(parseGatingText(QStringLiteral(" ")).value(), 0);
    EXPECT_EQ(parseGatingText(QStringLiteral("1000")).value(), 1000);
    for (const char* bad : {"12.5x", "1e300"})
        EXPECT_FALSE(parsePhaseText(QString::fromLatin1(bad))) << bad;
    for (const char* bad : {"1001", "32767", "-1", "2.5", "ten"})
        EXPECT_FALSE(parseGatingText(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(validateProgramName(QStringLiteral("  test ")).value(), "test");
    for (const char* bad : {"", "   ", ".", "..", "../x", "a/b", "a\\b", "two words", "tab\there", "bell\a"})
        EXPECT_FALSE(validateProgramName(QString::fromLatin1(bad))) << bad;
}

TEST(FreqgenArgs, CommandLineSplitsOnBlanksAndNamesTheRunFile) {
    const auto direct = freqgenCommandLine("/opt/sono", "-vl 1 -vr 1  -r -f default", {});
    EXPECT_EQ(direct.program, "/opt/sono/freqgen");
    EXPECT_EQ(direct.arguments, QStringList({"-vl", "1", "-vr", "1", "-r", "-f", "default.run"}));
}

// $TERMINAL first (with its own options), then x-terminal-emulator, then the common ones, each with its
// own words for "run this".
TEST(FreqgenArgs, TheTerminalIsChosenInOrderWithItsOwnRunWords) {
    const std::tuple<const char*, QStringList, QStringList> rows[] = {
        {"", {}, {""}},
        {"", {"xterm", "gnome-terminal"}, {"/bin/gnome-terminal", "--"}},
        {"", {"gnome-terminal", "x-terminal-emulator"}, {"/bin/x-terminal-emulator", "-e"}},
        {"", {"mate-terminal", "xterm"}, {"/bin/mate-terminal", "-x"}},
        {"wezterm", {"wezterm"}, {"/bin/wezterm", "start", "--"}},
        {"\"my term\" --hold", {"my term", "xterm"}, {"/bin/my term", "--hold", "-e"}},
        {"missing", {"lxterminal"}, {"/bin/lxterminal", "-e"}},
    };
    for (const auto& [variable, installed, expected] : rows) {
        const TerminalCommand chosen =
            chooseTerminal(QString::fromLatin1(variable), [&](const QString& name) {
                return installed.contains(name) ? QStringLiteral("/bin/") + name : QString();
            });
        EXPECT_EQ(QStringList(chosen.program) + chosen.runWords, expected)
            << variable << installed.join(u',').toStdString();
    }
}
