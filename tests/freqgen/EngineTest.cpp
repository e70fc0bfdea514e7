#include "Measure.h"
#include "status.h"
#include "text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using namespace freqgen;
using measure::rms;
using measure::Stereo;

namespace {

constexpr int kRate = 48000;
constexpr std::size_t kFade = static_cast<std::size_t>(kFadeSeconds * kRate);

// How far the right channel leads the left at this frequency, 0 to 360 degrees.
double phaseDegrees(const Stereo& s, std::size_t begin, std::size_t end, double freq) {
    auto lead = measure::component(s.right, begin, end, freq, kRate) /
                measure::component(s.left, begin, end, freq, kRate);
    return std::fmod(std::arg(lead) * 180 / std::numbers::pi + 360, 360);
}

// "number@startFrame+frames " for each step played since the last call.
std::string played(Engine& engine) {
    std::string out;
    for (const PlayedStep& p : engine.takePlayed())
        out += fmt("{}@{}+{} ", p.number, p.startFrame, p.frames);
    return out;
}

} // namespace

TEST(FreqgenEngine, EveryStepPlaysItsFrequencyForItsExactLengthWithoutAJump) {
    for (int rate : {48000, 44100, 192000}) {
        SCOPED_TRACE(rate);
        std::vector<Step> steps{{440, 1}, {1234.5, 0.5}, {7.83, 3}, {9876.54, 0.25}, {3.5, 0.7}};
        Settings s{.volLeft = 0.9, .volRight = 0.9, .phaseDeg = 33};
        Engine engine(s, steps, rate);
        Stereo out = measure::render(engine);
        std::string expected;
        std::int64_t total = 0;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            std::int64_t frames = std::llround(steps[i].seconds * rate);
            expected += fmt("{}@{}+{} ", i + 1, total, frames);
            auto begin = static_cast<std::size_t>(total) + 4 * kFade;
            auto end = static_cast<std::size_t>(total + frames) - 4 * kFade;
            EXPECT_NEAR(measure::frequency(out.left, begin, end, rate), steps[i].freq, steps[i].freq * 1e-4)
                << "step " << i + 1;
            // The phase runs on across a step change: no jump steeper than the faster wave's own slope.
            double steepest =
                2 * std::numbers::pi * std::max(steps[i].freq, steps[std::max(i, 1ul) - 1].freq) / rate * 0.9;
            for (const auto* channel : {&out.left, &out.right})
                EXPECT_LE(measure::maxJump(*channel, static_cast<std::size_t>(total) - (i ? 3 : 0),
                                           static_cast<std::size_t>(total) + 3),
                          steepest * 1.0001)
                    << "start of step " << i + 1;
            total += frames;
        }
        EXPECT_EQ(static_cast<std::int64_t>(out.size()), total);
        EXPECT_EQ(played(engine), expected);
    }
}

TEST(FreqgenEngine, ChannelVolumesPhaseAndLeftEqualsRight) {
    for (double phase : {90.0, 45.5, 300.0, 0.5}) {
        SCOPED_TRACE(phase);
        Settings s{.volLeft = 0.8, .volRight = 0.25, .phaseDeg = phase};
        Stereo out = measure::render(s, {{440, 1}, {2500, 1}});
        EXPECT_NEAR(rms(out.left, kFade, kRate - kFade), 0.8 / std::sqrt(2.0), 0.8e-3);
        EXPECT_NEAR(rms(out.right, kFade, kRate - kFade), 0.25 / std::sqrt(2.0), 0.25e-3);
        EXPECT_NEAR(phaseDegrees(out, kFade, kRate - kFade, 440), phase, 0.5);
        EXPECT_NEAR(phaseDegrees(out, kRate + kFade, 2 * kRate - 4 * kFade, 2500), phase, 0.5);
    }
    Stereo quiet = measure::render(Settings{0, 1}, {{1000, 0.5}});
    EXPECT_EQ(rms(quiet.left, 0, quiet.size()), 0.0);
    EXPECT_GT(rms(quiet.right, 0, quiet.size()), 0.7);
    // -l=r: the left channel is an exact copy of the right, whatever the wave, phase and gating.
    for (Wave wave : {Wave::Sine, Wave::Square, Wave::Saw}) {
        Settings s{0.3, 0.7, false, false, true, wave, 90, 7};
        Stereo out = measure::render(s, {{440, 0.5}, {0, 0.1}, {880, 0.5}});
        ASSERT_EQ(out.left, out.right);
        EXPECT_GT(rms(out.right, 0, out.size()), 0.2);
    }
}

TEST(FreqgenEngine, GatingRateDutyAndSoftEdges) {
    for (double pps : {10.0, 37.0}) {
        SCOPED_TRACE(pps);
        Settings s{.volLeft = 1, .volRight = 1, .gatingPps = pps};
        const double f = 4000;
        Stereo out = measure::render(s, {{f, 2}});
        // On where the peak of a 12-sample window (one period of the tone) is loud.
        int starts = 0, onCount = 0, windows = static_cast<int>(out.size() / 12);
        for (int w = 0, was = 0; w < windows; ++w) {
            auto first = out.left.begin() + 12 * w;
            int on = std::any_of(first, first + 12, [](float v) { return std::fabs(v) > 0.5f; });
            starts += on && !was;
            onCount += on;
            was = on;
        }
        EXPECT_NEAR(starts, 2 * pps, 1.0);
        EXPECT_NEAR(static_cast<double>(onCount) / windows, 0.5, 0.01);
        // A hard switch would jump by up to the full amplitude; the soft edge adds little to the tone's
        // slope.
        double toneSlope = 2 * std::numbers::pi * f / kRate;
        double edgeSlope = std::numbers::pi / 2 / (kGateEdgeSeconds * kRate);
        EXPECT_LE(measure::maxJump(out.left, 0, out.size()), toneSlope + edgeSlope + 1e-3);
    }
}

TEST(FreqgenEngine, GatingFasterThanTheSampleRateStaysBoundedAndAudible) {
    // Sono lets the user type any gating up to 32767; the output must stay finite, within the volume, and
    // never fall silent for good.
    Settings s{.volLeft = 1, .volRight = 1, .gatingPps = 32767};
    Stereo out = measure::render(s, {{440, 1}});
    ASSERT_FALSE(out.left.empty());
    ASSERT_TRUE(std::ranges::all_of(out.left, [](float v) { return std::isfinite(v); }));
    const auto [low, high] = std::ranges::minmax(out.left);
    EXPECT_LE(std::max(-low, high), 1.0f);
    EXPECT_GT(std::max(-low, high), 0.1f);
}

TEST(FreqgenEngine, SquareAndSawShapesAreBandLimited) {
    const double a = 0.5, f = 100;
    for (Wave wave : {Wave::Square, Wave::Saw}) {
        SCOPED_TRACE(wave == Wave::Square ? "square" : "saw");
        Settings s{.volLeft = a, .volRight = a, .wave = wave};
        Stereo out = measure::render(s, {{f, 1}});
        // Square: plateaus at +-a, half the time high. Saw: a constant rise, one two-sample drop per period.
        std::size_t shape = 0, count = 0, n = out.size() - 2 * kFade;
        for (std::size_t i = kFade + 2; i < out.size() - kFade; ++i) {
            double d = out.left[i] - out.left[i - 1], before = out.left[i - 1] - out.left[i - 2];
            shape += wave == Wave::Square ? std::fabs(std::fabs(out.left[i]) - a) < 1e-6
                                          : std::fabs(d - 2 * a * f / kRate) < 1e-5;
            count += wave == Wave::Square ? out.left[i] > 0 : d < -a / 4 && before >= -a / 4;
        }
        EXPECT_GT(static_cast<double>(shape) / static_cast<double>(n), 0.99);
        EXPECT_NEAR(static_cast<double>(count), wave == Wave::Square ? n / 2.0 : f,
                    wave == Wave::Square ? n * 0.005 : 1.0);
        // A naive wave at 7 kHz folds its 35 kHz harmonic onto 13 kHz at a fifth of the fundamental's level.
        s.volLeft = 1;
        Stereo high = measure::render(s, {{7000, 1}});
        double fundamental = std::abs(measure::component(high.left, 0, high.size(), 7000, kRate));
        EXPECT_GT(fundamental, 0.5);
        EXPECT_LT(std::abs(measure::component(high.left, 0, high.size(), 13000, kRate)) / fundamental,
                  0.2 / 4);
    }
}

TEST(FreqgenEngine, SkipsStepsOfZeroSecondsAndSilencesZeroHertz) {
    Engine engine(Settings{0.5, 0.5}, {{440, 0.5}, {500, 0}, {600, -5}, {0, 0.5}, {-3, 0.25}, {700, 0.5}},
                  kRate);
    Stereo out = measure::render(engine);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(1.75 * kRate));
    EXPECT_EQ(played(engine), "1@0+24000 4@24000+24000 5@48000+12000 6@60000+24000 ");
    const std::size_t silenceStart = kRate / 2, silenceEnd = silenceStart + 3 * kRate / 4;
    // The tone fades out over the first milliseconds of the silent step, then every sample is zero.
    std::size_t firstZero = silenceStart;
    while (out.left[firstZero] != 0.0f)
        ++firstZero;
    EXPECT_NEAR(static_cast<double>(firstZero), static_cast<double>(silenceStart + kFade), 1.0);
    EXPECT_EQ(rms(out.left, firstZero, silenceEnd), 0.0);
    EXPECT_GT(rms(out.left, silenceEnd, silenceEnd + kFade), 0.0);
    EXPECT_NEAR(measure::frequency(out.left, silenceEnd + kFade, out.size() - kFade, kRate), 700, 0.07);
    // Fades in at the start and out at the end rather than clicking.
    EXPECT_LT(std::fabs(out.left.front()), 0.01);
    EXPECT_LT(std::fabs(out.left.back()), 0.01);
}

TEST(FreqgenEngine, KeysSteerThePlayerAndWhatWasPlayedIsKept) {
    Engine engine(Settings{0.5, 0.95}, {{440, 10}, {0, 0}, {550, 10}, {660, 10}}, kRate);
    // Frames to play, then a key, then the step and pause state it leaves; 'b' on the first step restarts it.
    const std::tuple<std::size_t, char, int, bool> script[] = {
        {1000, 'n', 3, false},         {500, 'b', 1, false}, {0, 'b', 1, false},  {2000, ' ', 1, true},
        {kFade + 5010, ' ', 1, false}, {100, 'n', 3, false}, {100, 'n', 4, false}};
    for (auto [frames, key, step, paused] : script) {
        Stereo out = measure::renderFrames(engine, frames);
        EXPECT_EQ(key == ' ' && !paused ? rms(out.left, kFade + 10, frames) : 0.0,
                  0.0); // silent while paused
        EXPECT_TRUE(applyKey(engine, key));
        EXPECT_EQ(engine.status().step, step) << key;
        EXPECT_EQ(engine.status().paused, paused) << key;
    }
    // The pause counts towards the start of later steps (8850) but not the step played (2000 + fade + 100).
    EXPECT_EQ(played(engine), "1@0+1000 3@1000+500 1@1500+2341 3@8850+100 ");
    for (char key : {'+', '=', '-'}) // the right channel is held at 1 on the way up
        EXPECT_TRUE(applyKey(engine, key));
    measure::renderFrames(engine, 2 * kFade);
    Stereo after = measure::renderFrames(engine, kRate);
    EXPECT_NEAR(rms(after.left, 0, after.size()), 0.55 / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(rms(after.right, 0, after.size()), 0.95 / std::sqrt(2.0), 1e-3);

    EXPECT_TRUE(applyKey(engine, 'N'));
    ASSERT_EQ(engine.status().count, 22);
    std::string spread;
    for (std::size_t i = 4; i < 22; ++i)
        spread += fmt("{}/{} ", engine.steps()[i].freq, engine.steps()[i].seconds);
    EXPECT_EQ(spread,
              "657/180 658/180 658.5/180 659/180 659.25/180 659.5/180 659.75/180 659.9/180 659.95/180 "
              "660.05/180 660.1/180 660.25/180 660.5/180 660.75/180 661/180 661.5/180 662/180 663/180 ");
    applyKey(engine, 'n');
    EXPECT_DOUBLE_EQ(engine.status().freq, 657);
    measure::renderFrames(engine, 5000);
    EXPECT_FALSE(applyKey(engine, 'x') || applyKey(engine, 'B'));
    played(engine);
    EXPECT_TRUE(applyKey(engine, '\x1b'));
    Stereo tail = measure::render(engine);
    EXPECT_TRUE(engine.finished());
    EXPECT_NEAR(static_cast<double>(tail.size()), kFade, 1.0);
    EXPECT_LT(std::fabs(tail.left.back()), 0.01);
    EXPECT_EQ(engine.status().step, 0);
    EXPECT_TRUE(played(engine).ends_with(fmt("+{} ", 5000 + tail.size())));

    for (char key : {'q', 'n'}) { // 'n' past the last step ends the program with a fade too
        Engine engine(Settings{0.5, 0.5}, {{440, 10}}, kRate);
        for (int i = 0; i < 30; ++i)
            applyKey(engine, '-');
        EXPECT_EQ(engine.status().volLeft + engine.status().volRight, 0.0); // held at 0 on the way down
        applyKey(engine, key);
        EXPECT_LE(measure::render(engine).size(), kFade + 1) << key;
        EXPECT_TRUE(engine.finished()) << key;
    }
    EXPECT_FALSE(Engine(Settings{0.5, 0.5}, {{0, 10}}, kRate).insertSpread());
    EXPECT_TRUE(Engine(Settings{1, 1}, {{440, 0}}, kRate).finished());
}

TEST(FreqgenStatus, FoldsAtNyquistAndTheStatusLineSaysSo) {
    std::string folds;
    for (auto [freq, rate] :
         {std::pair{23999.0, 48000.0}, {24000.0, 48000.0}, {1e5, 48000.0}, {3e4, 192000.0}}) {
        Fold fold = foldToNyquist(freq, rate);
        folds += fmt("{}/{} ", fold.freq, fold.octaves);
    }
    EXPECT_EQ(folds, "23999/0 12000/1 12500/3 30000/0 ");
    EXPECT_EQ(foldNote(100000, foldToNyquist(100000, 48000), 48000),
              "100000 Hz is above the Nyquist limit of 24000 Hz: playing 12500 Hz (3 octaves down)");

    Engine engine(Settings{0.5, 1}, {{1000, 180}, {0, 0}, {30000, 3600}, {0, 60}}, kRate);
    measure::renderFrames(engine, kRate * 5 + 100);
    EXPECT_EQ(statusLine(engine.status()),
              "Step 1 of 4  1000 Hz  step 2:55 left  program 1:03:55 left  vol 0.50/1.00");
    engine.next();
    EXPECT_EQ(
        statusLine(engine.status()),
        "Step 3 of 4  30000 Hz  step 1:00:00 left  program 1:01:00 left  vol 0.50/1.00  (plays 15000 Hz)");
    engine.togglePause();
    engine.next();
    EXPECT_EQ(statusLine(engine.status()),
              "Step 4 of 4  0 Hz  step 1:00 left  program 1:00 left  vol 0.50/1.00  (silence)  PAUSED");
    engine.quit();
    measure::render(engine);
    EXPECT_EQ(statusLine(engine.status()), "Program finished.");

    // 2.5 million of the longest steps at the highest rate: more frames than a 64-bit count holds.
    const std::vector<Step> huge(2'500'000, Step{440, kMaxStepSeconds});
    EXPECT_DOUBLE_EQ(Engine(Settings{1, 1}, huge, 384000).status().programLeft, 2.5e6 * kMaxStepSeconds);
}
