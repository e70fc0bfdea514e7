#include "options.h"

#include <gtest/gtest.h>

using namespace freqgen;

namespace {

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::string current;
    for (char c : line) {
        if (c == ' ') {
            if (!current.empty()) out.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) out.push_back(current);
    return out;
}

struct Expected {
    double volLeft, volRight;
    bool record, extended, leftEqualsRight;
    Wave wave;
    double phase, gating;
    std::string runFile;
};

void expectSettings(const Invocation& inv, const Expected& e) {
    EXPECT_DOUBLE_EQ(inv.settings.volLeft, e.volLeft);
    EXPECT_DOUBLE_EQ(inv.settings.volRight, e.volRight);
    EXPECT_EQ(inv.settings.record, e.record);
    EXPECT_EQ(inv.settings.extended, e.extended);
    EXPECT_EQ(inv.settings.leftEqualsRight, e.leftEqualsRight);
    EXPECT_EQ(inv.settings.wave, e.wave);
    EXPECT_DOUBLE_EQ(inv.settings.phaseDeg, e.phase);
    EXPECT_DOUBLE_EQ(inv.settings.gatingPps, e.gating);
    EXPECT_EQ(inv.runFile, e.runFile);
    EXPECT_FALSE(inv.wavFile.has_value());
}

} // namespace

// The strings Sono builds, with the ".run" it appends, arriving either split by a shell or as one argument.
TEST(FreqgenOptions, AcceptsEveryFormSonoWrites) {
    struct Case {
        std::string line;
        Expected expected;
    };
    const Case cases[] = {
        {"-vl 0.5 -vr 0.5 -f default.run", {0.5, 0.5, false, false, false, Wave::Sine, 0, 0, "default.run"}},
        {"-vl 0  -vr 0 -f default.run", {0, 0, false, false, false, Wave::Sine, 0, 0, "default.run"}},
        {"-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default.run",
         {0.8, 0, true, true, true, Wave::Square, 90, 10, "default.run"}},
        {"-vl 1 -vr 1  -f default.run", {1, 1, false, false, false, Wave::Sine, 0, 0, "default.run"}},
        {"-vl 1 -vr .25 -e -l=r -S -P 90 -p 10 -f x.run",
         {1, 0.25, false, true, true, Wave::Square, 90, 10, "x.run"}},
        {"-vl 0.5 -vr 0.5 -r -f default.run",
         {0.5, 0.5, true, false, false, Wave::Sine, 0, 0, "default.run"}},
        {"-vl 0.5 -vr 0.5 -T -P .5 -f sweep1.run",
         {0.5, 0.5, false, false, false, Wave::Saw, 0.5, 0, "sweep1.run"}},
        {"-vl 0.5 -vr 0.5 -P 12.25 -p 1000 -f a.run",
         {0.5, 0.5, false, false, false, Wave::Sine, 12.25, 1000, "a.run"}},
        {"-vl 1.5 -vr 2 -f default.run", {1, 1, false, false, false, Wave::Sine, 0, 0, "default.run"}},
        {"   -vl   0.5    -vr\t0.5   -f   default.run  ",
         {0.5, 0.5, false, false, false, Wave::Sine, 0, 0, "default.run"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        auto split = parseCommandLine(words(c.line));
        ASSERT_TRUE(split.has_value()) << split.error().message;
        expectSettings(*split, c.expected);
        auto whole = parseCommandLine({c.line});
        ASSERT_TRUE(whole.has_value()) << whole.error().message;
        expectSettings(*whole, c.expected);
    }
}

TEST(FreqgenOptions, RunFileNameGivenAsOneArgumentMayHoldBlanks) {
    auto inv = parseCommandLine({"-vl", "0.5", "-vr", "0.5", "-f", "my program.run"});
    ASSERT_TRUE(inv.has_value()) << inv.error().message;
    EXPECT_EQ(inv->runFile, "my program.run");
}

TEST(FreqgenOptions, WavOptions) {
    auto inv = parseCommandLine(words("-vl 0.5 -vr 0.5 -f a.run --wav out.wav --rate 96000 --float"));
    ASSERT_TRUE(inv.has_value()) << inv.error().message;
    EXPECT_EQ(inv->wavFile, "out.wav");
    EXPECT_EQ(inv->rate, 96000);
    EXPECT_TRUE(inv->floatWav);
    auto help = parseCommandLine({"--help"});
    ASSERT_TRUE(help.has_value());
    EXPECT_TRUE(help->help);
    for (const char* option : {"-vl", "-vr", "-r ", "-e ", "-l=r", "-S", "-T", "-P", "-p", "-f", "--wav",
                               "--rate", "--float", "--help", "space", "Esc"})
        EXPECT_NE(usageText().find(option), std::string::npos) << option;
}

TEST(FreqgenOptions, RejectsMalformedCommandLinesNamingTheToken) {
    struct Case {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"-vl abc -vr 0.5 -f a.run", "freqgen: \"abc\" after -vl is not a volume (a number from 0 to 1)"},
        {"-vl 0.5x -vr 0.5 -f a.run", "freqgen: \"0.5x\" after -vl is not a volume (a number from 0 to 1)"},
        {"-vl nan -vr 0.5 -f a.run", "freqgen: \"nan\" after -vl is not a volume (a number from 0 to 1)"},
        {"-vl 0.5 -vr -0.5 -f a.run", "freqgen: volume \"-0.5\" after -vr is below 0"},
        {"-vl 0.5 -vr", "freqgen: \"-vr\" needs a volume from 0 to 1 after it"},
        {"-vl 0.5 -vr 0.5 -f", "freqgen: \"-f\" needs the name of a run file after it"},
        {"-vl 0.5 -vr 0.5 -x -f a.run", "freqgen: unknown option \"-x\" (freqgen --help lists them)"},
        {"-vl 0.5 -vr 0.5 -f a.run b.run", "freqgen: unknown option \"b.run\" (freqgen --help lists them)"},
        {"-vl 0.5 -vr 0.5 -S -T -f a.run",
         "freqgen: only one of -S (square) and -T (saw tooth) may be given"},
        {"-vl 0.5 -vr 0.5 -P ninety -f a.run", "freqgen: \"ninety\" after -P is not a phase in degrees"},
        {"-vl 0.5 -vr 0.5 -p 40000 -f a.run",
         "freqgen: gating \"40000\" after -p is outside 0 to 32767 pulses per second"},
        {"-vl 0.5 -vr 0.5 -p -1 -f a.run",
         "freqgen: gating \"-1\" after -p is outside 0 to 32767 pulses per second"},
        {"-vl 0.5 -vr 0.5 -p x -f a.run", "freqgen: \"x\" after -p is not a number of pulses per second"},
        {"-vl 0.5 -vr 0.5", "freqgen: no run file given (-f NAME.run)"},
        {"-vr 0.5 -f a.run", "freqgen: no left volume given (-vl V)"},
        {"-vl 0.5 -f a.run", "freqgen: no right volume given (-vr V)"},
        {"-vl 0.5 -vl 0.5 -vr 0.5 -f a.run", "freqgen: \"-vl\" is given twice"},
        {"-vl 0.5 -vr 0.5 -r -r -f a.run", "freqgen: \"-r\" is given twice"},
        {"-vl 0.5 -vr 0.5 -f a.run --wav x.wav --rate 1000",
         "freqgen: \"1000\" after --rate is not a sample rate from 8000 to 384000"},
        {"-vl 0.5 -vr 0.5 -f a.run --float", "freqgen: --rate and --float only apply with --wav FILE"},
        {"", "freqgen: no left volume given (-vl V)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        auto inv = parseCommandLine(words(c.line));
        ASSERT_FALSE(inv.has_value());
        EXPECT_EQ(inv.error().message, c.message);
        EXPECT_EQ(inv.error().exitCode, kExitUsage);
    }
}

TEST(FreqgenOptions, NumbersInThePlainFormsOnly) {
    EXPECT_EQ(parseNumber("1"), 1.0);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("-3"), -3.0);
    EXPECT_EQ(parseNumber("+2"), 2.0);
    EXPECT_EQ(parseNumber("7.83"), 7.83);
    EXPECT_EQ(parseNumber("1e3"), 1000.0);
    for (const char* bad : {"", "-", "+", ".", "1,5", "0x10", "inf", "nan", "1 ", " 1", "++1", "1.2.3"})
        EXPECT_FALSE(parseNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(FreqgenRunFile, ReadsTheFileSonoWrites) {
    auto steps = parseRunFile(
        "# -vl 0.5 -vr 0.5 -f default\r\n# Freqgen file generated by: Sono12 - build 05.01.16\r\n"
        "1000,180\r\n7.83,60\r\n.5,1\r\n-3,10\r\n0,0\r\n304.5,-5",
        "default.run");
    ASSERT_TRUE(steps.has_value()) << steps.error().message;
    ASSERT_EQ(steps->size(), 6u);
    const double expected[][2] = {{1000, 180}, {7.83, 60}, {0.5, 1}, {-3, 10}, {0, 0}, {304.5, -5}};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ((*steps)[i].freq, expected[i][0]);
        EXPECT_DOUBLE_EQ((*steps)[i].seconds, expected[i][1]);
    }
    auto headerOnly =
        parseRunFile("# -vl 0.5 -vr 0.5 -f default\r\n# Freqgen file generated by: x\r\n", "e.run");
    ASSERT_TRUE(headerOnly.has_value());
    EXPECT_TRUE(headerOnly->empty());
    auto blankLines = parseRunFile("\n440,1\n\n   \n880,2\n", "b.run");
    ASSERT_TRUE(blankLines.has_value());
    EXPECT_EQ(blankLines->size(), 2u);
}

TEST(FreqgenRunFile, RejectsMalformedLinesNamingFileAndLine) {
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"# h\r\n# h\r\n1000;180\r\n",
         "freqgen: p.run line 3: \"1000;180\" is not a step (frequency,seconds)"},
        {"1000\n", "freqgen: p.run line 1: \"1000\" is not a step (frequency,seconds)"},
        {"1000,10,5\n", "freqgen: p.run line 1: \"1000,10,5\" is not a step (frequency,seconds)"},
        {"440,1\nabc,10\n", "freqgen: p.run line 2: frequency \"abc\" is not a number"},
        {"440,1\n440,\n", "freqgen: p.run line 2: seconds \"\" is not a number"},
        {"1000,x\n", "freqgen: p.run line 1: seconds \"x\" is not a number"},
        {"1e999,1\n", "freqgen: p.run line 1: frequency \"1e999\" is not a number"},
        {"1000,1e9\n", "freqgen: p.run line 1: seconds \"1e9\" is more than 10000000 seconds"},
        {" # late comment\n", "freqgen: p.run line 1: \" # late comment\" is not a step (frequency,seconds)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto steps = parseRunFile(c.text, "p.run");
        ASSERT_FALSE(steps.has_value());
        EXPECT_EQ(steps.error().message, c.message);
        EXPECT_EQ(steps.error().exitCode, kExitRunFile);
    }
    auto missing = readRunFile("/nonexistent/folder/none.run");
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(
        missing.error().message,
        "freqgen: cannot read the run file \"/nonexistent/folder/none.run\": No such file or directory");
    EXPECT_EQ(missing.error().exitCode, kExitRunFile);
}
