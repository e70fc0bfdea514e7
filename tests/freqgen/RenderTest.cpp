#include "render.h"
#include "FreqgenFiles.h"
#include "Measure.h"
#include "session.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>

using namespace freqgen;

TEST(FreqgenPcm, RoundsToTheNearestStepAndClips) {
    const float in[] = {0, 1, -1, 0.5, -0.5, 2, -3, 0.4f / 32767, 0.6f / 32767, -0.6f / 32767};
    std::int16_t out[std::size(in)];
    toPcm16(in, out, std::size(in));
    EXPECT_EQ(std::vector(out, out + std::size(in)),
              (std::vector<std::int16_t>{0, 32767, -32767, 16384, -16383, 32767, -32767, 0, 1, -1}));
}

TEST_F(FreqgenFiles, ReportsBadInputWithItsExitCodeAndLeavesNoFile) {
    write("bad.run", "# header\n440,1\n440;2\n");
    write("good.run", "440,1\n");
    const std::tuple<std::string, int, std::string> cases[] = {
        {"-vl .5 -vr .5 -f bad.run --wav out.wav", kExitRunFile,
         "freqgen: bad.run line 3: \"440;2\" is not a step"},
        {"-vl .5 -vr .5 -Q -f bad.run", kExitUsage, "freqgen: unknown option \"-Q\""},
        {"-vl .5 -vr .5 -f good.run --wav missing/out.wav", kExitOutput,
         "cannot write the WAV file \"missing/out.wav\""},
        {"--version", kExitOk, "freqgen " SONO_VERSION "\n"}};
    for (const auto& [args, code, message] : cases) {
        EXPECT_EQ(run(args), code) << args;
        EXPECT_TRUE((read("out.txt") + read("err.txt")).contains(message)) << read("err.txt");
    }
    EXPECT_FALSE(has("out.wav") || has("missing"));
}

// Standard input is a terminal that stays open, where playing without --control waits for Enter after
// a message. Without a sound device the message goes to standard error; with one the silent program
// plays to its end.
TEST_F(FreqgenFiles, ControlModeNeverWaitsForEnterAndKeepsStandardOutputForStatusLines) {
    write("quiet.run", "440,0.05\n");
    const std::tuple<std::string, int, std::string> cases[] = {
        {"-vl 0 -vr 0 -f quiet.run", kExitAudio, "No sound output device could be used"},
        {"-vl x -vr 0 -f quiet.run", kExitUsage, "\"x\" after -vl is not a volume"},
        {"-vl 0 -vr 0 -f none.run", kExitRunFile, "cannot read the run file \"none.run\""}};
    for (const auto& [args, code, message] : cases) {
        std::string freqgen = "'" FREQGEN_EXE "' --control " + args + " >out.txt 2>err.txt";
        int status = std::system(("cd '" + dir_.string() + "' && bash -c 'timeout 20 script -qec \"" +
                                  freqgen + "\" /dev/null < <(sleep 30 >/dev/null 2>&1)' >/dev/null")
                                     .c_str());
        if (WIFEXITED(status) && WEXITSTATUS(status) == kExitOk && code == kExitAudio) {
            EXPECT_TRUE(read("out.txt").ends_with("finished elapsed=0.05\n")) << read("out.txt");
            continue;
        }
        EXPECT_EQ(std::tuple(WIFEXITED(status) ? WEXITSTATUS(status) : -1, read("out.txt")),
                  std::tuple(code, ""))
            << args;
        EXPECT_TRUE(read("err.txt").contains(message)) << read("err.txt");
    }
}

// Through a sound device that discards samples as fast as they come, steered over a pipe: commands in
// order, another line answered, and the end of input taken as stop.
TEST_F(FreqgenFiles, ControlModeObeysCommandsOverAPipeAndStopsAtTheEndOfInput) {
    write(".asoundrc", "pcm.!default { type null }\n");
    write("long.run", "440,10000000\n550,10000000\n");
    const int status =
        std::system(("cd '" + dir_.string() +
                     "' && (printf 'louder\\n  bogus line \\npause\\nspread\\n'; sleep 1) | HOME=. "
                     "timeout 20 '" FREQGEN_EXE "' --control -vl .5 -vr .5 -f long.run >out.txt 2>err.txt")
                        .c_str());
    if (read("err.txt").contains("No sound output device")) GTEST_SKIP() << "no ALSA null device here";
    const std::string out = read("out.txt");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << read("err.txt");
    EXPECT_TRUE(out.starts_with("unknown bogus line\n") || out.contains("\nunknown bogus line\n")) << out;
    // Louder, then the pause held step 1 and the spread was built around it.
    EXPECT_TRUE(out.contains(" vl=0.55 vr=0.55\n") &&
                out.contains("\npaused step=1 count=20 freq=440 played=440 ") &&
                out.contains("\nfinished elapsed="))
        << out;
}

TEST_F(FreqgenFiles, AnotherRendersPartIsLeftAloneAndALeftoverReplaced) {
    // A .part that another freqgen holds is refused; once nobody holds it, it is a leftover and replaced.
    write("b.wav.part", "being written");
    int other = ::open(path("b.wav.part").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    auto render = [&] {
        return renderToFile({1, 1}, {{440, 1}}, path("b.wav"), {FileType::Wav, SampleFormat::Pcm16, 8000});
    };
    auto refused = render();
    ::close(other);
    EXPECT_TRUE(!refused && refused.error().contains("another freqgen is writing"));
    EXPECT_EQ(read("b.wav.part"), "being written");
    ASSERT_TRUE(render());
    EXPECT_EQ(measure::readWav(path("b.wav")).size(), 8000u);
    EXPECT_FALSE(has("b.wav.part"));
}

TEST_F(FreqgenFiles, SessionLogWritesEachLineAtOnceAndNeverReplacesAFile) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t start = 1796558400; // 2026-12-06 12:00:00 UTC
    auto first = SessionLog::create(dir_, start, "default.run");
    ASSERT_EQ(first.value().path(), dir_ / "session_2026-12-06_12-00-00.txt");
    ASSERT_TRUE(first->add({1, 440, 3723 * 48000, 48000 * 180}, 48000));
    // Read while the log is still open: a killed session keeps what it played.
    const std::string written = "# freqgen session of default.run, started 2026-12-06 12:00:00\n"
                                "# start,frequency Hz,seconds played\n2026-12-06 13:02:03,440,180\n";
    EXPECT_EQ(read(first->path()), written);
    EXPECT_EQ(SessionLog::create(dir_, start, "default.run").value().path(),
              dir_ / "session_2026-12-06_12-00-00_2.txt");
    EXPECT_EQ(read(first->path()), written);

    auto nowhere = SessionLog::create(dir_ / "missing", start, "default.run");
    EXPECT_TRUE(!nowhere && nowhere.error().contains("cannot write the session file"));
}
