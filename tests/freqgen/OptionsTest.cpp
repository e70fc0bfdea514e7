#include "options.h"
#include "text.h"

#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

using namespace freqgen;

namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

// "message [exit code]" of a refusal.
template <typename T> std::string refusal(const std::expected<T, Failure>& r) {
    return r ? "accepted" : fmt("{} [{}]", r.error().message, r.error().exitCode);
}

// "volLeft volRight flags phase gating runFile [file type rate [float]] [help]"; flags are r, e, l and the
// wave (~ sine, S square, T saw tooth), '-' for an option not given; the type is W(AV), F(LAC) or V(orbis).
std::string describe(const std::expected<Invocation, Failure>& inv) {
    if (!inv) return refusal(inv);
    const Settings& s = inv->settings;
    std::string flags{s.record ? 'r' : '-', s.extended ? 'e' : '-', s.leftEqualsRight ? 'l' : '-',
                      "~ST"[static_cast<int>(s.wave)]};
    return fmt("{} {} {} {} {} {}", s.volLeft, s.volRight, flags, s.phaseDeg, s.gatingPps, inv->runFile) +
           (inv->outFile ? fmt(" {} {} {}", *inv->outFile,
                               std::string(1, "WFV"[static_cast<int>(inv->outType)]), inv->rate.value_or(0)) +
                               (inv->floatWav ? " float" : "")
                         : "") +
           (inv->control ? " control" : "") + (inv->help ? " help" : "");
}

// "frequency,seconds " for each step, or the refusal.
std::string describe(const std::expected<std::vector<Step>, Failure>& steps) {
    std::string out = steps ? "" : refusal(steps);
    for (const Step& s : steps.value_or(std::vector<Step>{}))
        out += fmt("{},{} ", s.freq, s.seconds);
    return out;
}

} // namespace

// The strings Sono builds, with the ".run" it appends, arriving either split by a shell or as one argument.
TEST(FreqgenOptions, AcceptsEveryFormSonoWrites) {
    const std::pair<std::string, std::string> cases[] = {
        {"-vl 0.5 -vr 0.5 -f default.run", "0.5 0.5 ---~ 0 0 default.run"},
        {"-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default.run", "0.8 0 relS 90 10 default.run"},
        {"-vl 1.5 -vr 2 -T -P .5 -f sweep1.run", "1 1 ---T 0.5 0 sweep1.run"},
        {"   -vl   0.5    -vr\t0.5   -f   default.run  ", "0.5 0.5 ---~ 0 0 default.run"},
        {"-vl .5 -vr .5 -f a.run --wav out.wav --rate 96000 --float",
         "0.5 0.5 ---~ 0 0 a.run out.wav W 96000 float"},
        // --out goes by the extension in any case, --wav is always WAV.
        {"-vl .5 -vr .5 -f a.run --out x.d/OUT.Flac --float",
         "0.5 0.5 ---~ 0 0 a.run x.d/OUT.Flac F 0 float"},
        {"-vl .5 -vr .5 -f a.run --out out.ogg", "0.5 0.5 ---~ 0 0 a.run out.ogg V 0"},
        {"-vl .5 -vr .5 -f a.run --wav out.flac", "0.5 0.5 ---~ 0 0 a.run out.flac W 0"},
        {"--help -h", "0 0 ---~ 0 0  help"},
        {"-vl .5 -vr .5 -S --control -f a.run", "0.5 0.5 ---S 0 0 a.run control"},
        // Gating below a quarter of the WAV file's rate; -e raises the default rate.
        {"-vl .5 -vr .5 -p 1999 -f a.run --wav x.wav --rate 8000", "0.5 0.5 ---~ 0 1999 a.run x.wav W 8000"},
        {"-vl .5 -vr .5 -e -p 12000 -f a.run --wav x.wav", "0.5 0.5 -e-~ 0 12000 a.run x.wav W 0"},
    };
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line);
        for (const auto& args : {words(line), std::vector<std::string>{line}})
            EXPECT_EQ(describe(parseCommandLine(args)), expected);
    }
    EXPECT_EQ(describe(parseCommandLine({"-vl", "0.5", "-vr", "0.5", "-f", "my program.run"})),
              "0.5 0.5 ---~ 0 0 my program.run");
}

// Both volumes come first unless the line is about them.
TEST(FreqgenOptions, RejectsMalformedCommandLinesNamingTheToken) {
    const std::pair<std::string, std::string> cases[] = {
        {"-vl abc -vr 0.5 -f a.run", "\"abc\" after -vl is not a volume (a number from 0 to 1)"},
        {"-vl 0.5 -vr -0.5 -f a.run", "volume \"-0.5\" after -vr is below 0"},
        {"-vl 0.5 -vr", "\"-vr\" needs a volume from 0 to 1 after it"},
        {"-f", "\"-f\" needs the name of a run file after it"},
        {"-x -f a.run", "unknown option \"-x\" (freqgen --help lists them)"},
        {"-S -T -f a.run", "only one of -S (square) and -T (saw tooth) may be given"},
        {"-P ninety -f a.run", "\"ninety\" after -P is not a phase in degrees"},
        {"-p 40000 -f a.run", "gating \"40000\" after -p is outside 0 to 32767 pulses per second"},
        {"-p x -f a.run", "\"x\" after -p is not a number of pulses per second"},
        {"", "no run file given (-f NAME.run)"},
        {"-vr 0.5 -f a.run", "no left volume given (-vl V)"},
        {"-vl 0.5 -vl 0.5 -vr 0.5 -f a.run", "\"-vl\" is given twice"},
        {"-f a.run --wav x.wav --rate 1000",
         "\"1000\" after --rate is not a sample rate from 8000 to 384000"},
        {"-f a.run --float", "--rate and --float only apply with --out FILE or --wav FILE"},
        {"-f a.run --out x.mp3", "\"x.mp3\" after --out is not a file freqgen can write: use the extension "
                                 ".wav, .flac, .ogg or .oga"},
        {"-f a.run --out x.wav --wav y.wav", "only one of --out FILE and --wav FILE may be given"},
        {"-f a.run --out x.ogg --rate 384000", "an Ogg Vorbis file takes sample rates up to 200000 Hz: use a "
                                               "lower --rate, or a .wav or .flac file"},
        {"-f a.run --wav x.wav --control",
         "--control steers playing through the sound card, not --out FILE or --wav FILE"},
        // Pulses at a quarter of the sample rate or faster alias into tones.
        {"-p 32767 -f a.run --wav x.wav", "gating 32767 after -p is too fast for a sample rate of 48000 Hz: "
                                          "use less than 12000 pulses per second"},
    };
    for (const auto& [line, message] : cases)
        EXPECT_EQ(refusal(parseCommandLine(words((line.contains("-v") ? "" : "-vl 0.5 -vr 0.5 ") + line))),
                  "freqgen: " + message + " [2]");
}

TEST(FreqgenOptions, RefusesNumbersOutsideThePlainForms) {
    for (const char* bad :
         {"", "-", "+", ".", "1,5", "0x10", "inf", "nan", "1 ", " 1", "++1", "+-1", "1.2.3"})
        EXPECT_FALSE(parseNumber(bad).has_value()) << '"' << bad << '"';
}

// Refusals name the file and line and exit with 3.
TEST(FreqgenRunFile, ReadsTheFileSonoWritesAndRejectsMalformedLines) {
    const std::pair<std::string, std::string> cases[] = {
        {"# -vl 0.5 -vr 0.5 -f default\r\n# Freqgen file generated by: Sono12 - build 05.01.16\r\n"
         "1000,180\r\n7.83,60\r\n\r\n   \r\n+.5,1\r\n-3,10\r\n0,0\r\n304.5,-5",
         "1000,180 7.83,60 0.5,1 -3,10 0,0 304.5,-5 "},
        {"# -vl 0.5 -vr 0.5 -f default\r\n# Freqgen file generated by: x\r\n", ""},
        {"# h\r\n# h\r\n1000;180\r\n", "line 3: \"1000;180\" is not a step (frequency,seconds)"},
        {"1000,10,5\n", "line 1: \"1000,10,5\" is not a step (frequency,seconds)"},
        {"440,1\nabc,10\n", "line 2: frequency \"abc\" is not a number"},
        {"440,1\n440,\n", "line 2: seconds \"\" is not a number"},
        {"1e999,1\n", "line 1: frequency \"1e999\" is not a number"},
        {"1000,1e9\n", "line 1: seconds \"1e9\" is more than 10000000 seconds"},
        {" # late comment\n", "line 1: \" # late comment\" is not a step (frequency,seconds)"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(describe(parseRunFile(text, "p.run")),
                  expected.starts_with("line ") ? "freqgen: p.run " + expected + " [3]" : expected);
    EXPECT_EQ(
        describe(readRunFile("/nonexistent/folder/none.run")),
        "freqgen: cannot read the run file \"/nonexistent/folder/none.run\": No such file or directory [3]");
}
