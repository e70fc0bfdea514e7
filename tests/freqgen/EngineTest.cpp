#include "engine.h"
#include "Measure.h"

#include <gtest/gtest.h>

using namespace freqgen;
using measure::Stereo;

namespace {

constexpr int kRate = 48000;
const std::size_t kFade = static_cast<std::size_t>(kFadeSeconds * kRate);

Settings volumes(double left, double right) {
    Settings s;
    s.volLeft = left;
    s.volRight = right;
    return s;
}

double phaseDegrees(const Stereo& s, std::size_t begin, std::size_t end, double freq) {
    auto l = measure::risingCrossings(s.left, begin, end);
    auto r = measure::risingCrossings(s.right, begin, end);
    // The right channel leads: its crossing comes first. Compare each left crossing with the right one before
    // it.
    double sum = 0.0;
    int n = 0;
    for (double tl : l) {
        double best = -1;
        for (double tr : r)
            if (tr <= tl) best = tr;
        if (best < 0) continue;
        sum += (tl - best) * freq / kRate * 360.0;
        ++n;
    }
    return n ? sum / n : -1.0;
}

} // namespace

TEST(FreqgenEngine, EveryStepPlaysItsFrequencyForItsExactLength) {
    for (int rate : {48000, 44100, 192000}) {
        SCOPED_TRACE(rate);
        std::vector<Step> steps{{440, 1}, {1234.5, 0.5}, {7.83, 3}, {9876.54, 0.25}};
        Engine engine(volumes(0.5, 0.5), steps, rate);
        Stereo out = measure::render(engine);
        std::int64_t total = 0;
        auto played = engine.takePlayed();
        ASSERT_EQ(played.size(), steps.size());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            std::int64_t frames = std::llround(steps[i].seconds * rate);
            EXPECT_EQ(played[i].number, static_cast<int>(i) + 1);
            EXPECT_EQ(played[i].startFrame, total);
            EXPECT_EQ(played[i].frames, frames);
            std::size_t begin = static_cast<std::size_t>(total) + 4 * kFade;
            std::size_t end = static_cast<std::size_t>(total + frames) - 4 * kFade;
            double f = measure::frequency(out.left, begin, end, rate);
            EXPECT_NEAR(f, steps[i].freq, steps[i].freq * 1e-4) << "step " << i + 1;
            total += frames;
        }
        EXPECT_EQ(static_cast<std::int64_t>(out.size()), total);
    }
}

TEST(FreqgenEngine, ChannelVolumesByRms) {
    Stereo out = measure::render(volumes(0.8, 0.25), {{1000, 1}});
    EXPECT_NEAR(measure::rms(out.left, kFade, out.size() - kFade), 0.8 / std::sqrt(2.0), 0.8e-3);
    EXPECT_NEAR(measure::rms(out.right, kFade, out.size() - kFade), 0.25 / std::sqrt(2.0), 0.25e-3);
    Stereo quiet = measure::render(volumes(0, 1), {{1000, 0.5}});
    EXPECT_EQ(measure::rms(quiet.left, 0, quiet.size()), 0.0);
    EXPECT_GT(measure::rms(quiet.right, 0, quiet.size()), 0.7);
}

TEST(FreqgenEngine, RightChannelLeadsByThePhase) {
    for (double phase : {90.0, 45.5, 300.0, 0.5}) {
        SCOPED_TRACE(phase);
        Settings s = volumes(0.5, 0.5);
        s.phaseDeg = phase;
        Stereo out = measure::render(s, {{440, 1}, {2500, 1}});
        EXPECT_NEAR(phaseDegrees(out, kFade, kRate - kFade, 440), phase, 0.5);
        EXPECT_NEAR(phaseDegrees(out, kRate + kFade, 2 * kRate - 4 * kFade, 2500), phase, 0.5);
    }
}

TEST(FreqgenEngine, LeftEqualsRightCopiesTheRightChannelExactly) {
    for (Wave wave : {Wave::Sine, Wave::Square, Wave::Saw}) {
        Settings s = volumes(0.3, 0.7);
        s.phaseDeg = 90;
        s.leftEqualsRight = true;
        s.gatingPps = 7;
        s.wave = wave;
        Stereo out = measure::render(s, {{440, 0.5}, {0, 0.1}, {880, 0.5}});
        ASSERT_EQ(out.left, out.right);
        EXPECT_GT(measure::rms(out.right, 0, out.size()), 0.2);
    }
}

TEST(FreqgenEngine, GatingRateDutyAndSoftEdges) {
    for (double pps : {10.0, 37.0}) {
        SCOPED_TRACE(pps);
        Settings s = volumes(1, 1);
        s.gatingPps = pps;
        const double f = 4000;
        Stereo out = measure::render(s, {{f, 2}});
        // Envelope: the peak over each 12-sample window (one period of the tone).
        std::vector<bool> on;
        for (std::size_t i = 0; i + 12 <= out.size(); i += 12) {
            float peak = 0;
            for (std::size_t j = i; j < i + 12; ++j)
                peak = std::max(peak, std::fabs(out.left[j]));
            on.push_back(peak > 0.5f);
        }
        int starts = 0;
        std::size_t onCount = 0;
        for (std::size_t i = 0; i < on.size(); ++i) {
            onCount += on[i];
            if (on[i] && (i == 0 || !on[i - 1])) ++starts;
        }
        EXPECT_NEAR(starts, 2 * pps, 1.0);
        EXPECT_NEAR(static_cast<double>(onCount) / static_cast<double>(on.size()), 0.5, 0.01);
        // A hard switch would jump by up to the full amplitude; the soft edge adds little to the tone's own
        // slope.
        double toneSlope = 2 * std::numbers::pi * f / kRate;
        double edgeSlope = std::numbers::pi / 2 / (kGateEdgeSeconds * kRate);
        EXPECT_LE(measure::maxJump(out.left, 0, out.size()), toneSlope + edgeSlope + 1e-3);
    }
}

TEST(FreqgenEngine, GatingFasterThanTheSampleRateStaysBoundedAndAudible) {
    // Sono lets the user type any gating up to 32767; the output must stay finite, within the volume, and
    // never fall silent for good.
    Settings s = volumes(1, 1);
    s.gatingPps = 32767;
    Stereo out = measure::render(s, {{440, 1}});
    ASSERT_FALSE(out.left.empty());
    float peak = 0;
    for (float v : out.left) {
        ASSERT_TRUE(std::isfinite(v));
        peak = std::max(peak, std::fabs(v));
    }
    EXPECT_LE(peak, 1.0f);
    EXPECT_GT(peak, 0.1f);
}

TEST(FreqgenEngine, SquareAndSawShapes) {
    const double a = 0.5, f = 100;
    Settings s = volumes(a, a);
    s.wave = Wave::Square;
    Stereo sq = measure::render(s, {{f, 1}});
    std::size_t plateau = 0, high = 0, n = sq.size() - 2 * kFade;
    for (std::size_t i = kFade; i < sq.size() - kFade; ++i) {
        if (std::fabs(std::fabs(sq.left[i]) - a) < 1e-6) ++plateau;
        if (sq.left[i] > 0) ++high;
    }
    EXPECT_GT(static_cast<double>(plateau) / static_cast<double>(n), 0.99);
    EXPECT_NEAR(static_cast<double>(high) / static_cast<double>(n), 0.5, 0.005);

    s.wave = Wave::Saw;
    Stereo saw = measure::render(s, {{f, 1}});
    double rise = 2 * a * f / kRate;
    std::size_t ramp = 0, drops = 0;
    for (std::size_t i = kFade + 2; i < saw.size() - kFade; ++i) {
        double d = saw.left[i] - saw.left[i - 1];
        if (std::fabs(d - rise) < 1e-5) ++ramp;
        // The band-limited drop spreads over two samples: count each drop once.
        double before = saw.left[i - 1] - saw.left[i - 2];
        if (d < -a / 4 && before >= -a / 4) ++drops;
    }
    EXPECT_GT(static_cast<double>(ramp) / static_cast<double>(n), 0.99);
    EXPECT_NEAR(static_cast<double>(drops), f * static_cast<double>(saw.size()) / kRate, 1.0);
}

// A naive square at 7 kHz folds its 5th harmonic (35 kHz) onto 13 kHz at a fifth of the fundamental's level.
TEST(FreqgenEngine, SquareAndSawAreBandLimited) {
    for (Wave wave : {Wave::Square, Wave::Saw}) {
        Settings s = volumes(1, 1);
        s.wave = wave;
        Stereo out = measure::render(s, {{7000, 1}});
        double fundamental = measure::component(out.left, 0, out.size(), 7000, kRate);
        double alias = measure::component(out.left, 0, out.size(), 13000, kRate);
        EXPECT_GT(fundamental, 0.5);
        EXPECT_LT(alias / fundamental, 0.2 / 4) << (wave == Wave::Square ? "square" : "saw");
    }
}

TEST(FreqgenEngine, StepChangesKeepThePhaseContinuous) {
    const double a = 0.9;
    std::vector<Step> steps{{1000, 0.1}, {1500, 0.0503}, {700, 0.1}, {20000, 0.1}, {3.5, 0.7}};
    Settings s = volumes(a, a);
    s.phaseDeg = 33;
    Stereo out = measure::render(s, steps);
    std::size_t boundary = 0;
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        boundary += static_cast<std::size_t>(std::llround(steps[i].seconds * kRate));
        double steepest = 2 * std::numbers::pi * std::max(steps[i].freq, steps[i + 1].freq) / kRate * a;
        EXPECT_LE(measure::maxJump(out.left, boundary - 3, boundary + 3), steepest * 1.0001)
            << "boundary " << i + 1;
        EXPECT_LE(measure::maxJump(out.right, boundary - 3, boundary + 3), steepest * 1.0001)
            << "boundary " << i + 1;
    }
}

TEST(FreqgenEngine, SkipsStepsOfZeroSecondsAndSilencesZeroHertz) {
    Engine engine(volumes(0.5, 0.5), {{440, 0.5}, {500, 0}, {600, -5}, {0, 0.5}, {-3, 0.25}, {700, 0.5}},
                  kRate);
    Stereo out = measure::render(engine);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(1.75 * kRate));
    auto played = engine.takePlayed();
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[0].number, 1);
    EXPECT_EQ(played[1].number, 4);
    EXPECT_EQ(played[2].number, 5);
    EXPECT_EQ(played[3].number, 6);
    const std::size_t silenceStart = kRate / 2,
                      silenceEnd = silenceStart + static_cast<std::size_t>(0.75 * kRate);
    // The tone fades out over the first milliseconds of the silent step, then every sample is zero.
    std::size_t firstZero = silenceStart;
    while (out.left[firstZero] != 0.0f)
        ++firstZero;
    EXPECT_NEAR(static_cast<double>(firstZero), static_cast<double>(silenceStart + kFade), 1.0);
    EXPECT_EQ(measure::rms(out.left, firstZero, silenceEnd), 0.0);
    EXPECT_GT(measure::rms(out.left, silenceEnd, silenceEnd + kFade), 0.0);
    EXPECT_NEAR(measure::frequency(out.left, silenceEnd + kFade, out.size() - kFade, kRate), 700, 0.07);
    // Fades in at the start and out at the end rather than clicking.
    EXPECT_LT(std::fabs(out.left.front()), 0.01);
    EXPECT_LT(std::fabs(out.left.back()), 0.01);
}

TEST(FreqgenEngine, FoldsFrequenciesAtOrAboveNyquistByOctaves) {
    EXPECT_EQ(foldToNyquist(23999, 48000).octaves, 0);
    Fold atNyquist = foldToNyquist(24000, 48000);
    EXPECT_EQ(atNyquist.octaves, 1);
    EXPECT_DOUBLE_EQ(atNyquist.freq, 12000);
    Fold far = foldToNyquist(100000, 48000);
    EXPECT_EQ(far.octaves, 3);
    EXPECT_DOUBLE_EQ(far.freq, 12500);
    EXPECT_EQ(foldToNyquist(30000, 192000).octaves, 0);

    Engine engine(volumes(0.5, 0.5), {{30000, 0.5}}, kRate);
    Status st = engine.status();
    EXPECT_EQ(st.foldedOctaves, 1);
    EXPECT_DOUBLE_EQ(st.playedFreq, 15000);
    Stereo out = measure::render(engine);
    EXPECT_NEAR(measure::frequency(out.left, kFade, out.size() - kFade, kRate), 15000, 1.5);
}

TEST(FreqgenEngine, NextBackAndPauseKeepTrackOfWhatWasPlayed) {
    Engine engine(volumes(0.5, 0.5), {{440, 10}, {0, 0}, {550, 10}, {660, 10}}, kRate);
    measure::renderFrames(engine, 1000);
    engine.next();
    EXPECT_EQ(engine.status().step, 3);
    measure::renderFrames(engine, 500);
    engine.back();
    EXPECT_EQ(engine.status().step, 1);
    EXPECT_DOUBLE_EQ(engine.status().stepLeft, 10.0);
    engine.back(); // already at the first step: starts it again
    EXPECT_EQ(engine.status().step, 1);
    measure::renderFrames(engine, 2000);
    engine.togglePause();
    Stereo fading = measure::renderFrames(engine, kFade + 10);
    EXPECT_EQ(fading.left.back(), 0.0f);
    double left = engine.status().stepLeft;
    Stereo held = measure::renderFrames(engine, 5000);
    EXPECT_EQ(measure::rms(held.left, 0, held.size()), 0.0);
    EXPECT_DOUBLE_EQ(engine.status().stepLeft, left);
    EXPECT_TRUE(engine.status().paused);
    engine.togglePause();
    measure::renderFrames(engine, 100);
    engine.next();
    measure::renderFrames(engine, 100);
    engine.next();
    EXPECT_EQ(engine.status().step, 4);
    EXPECT_DOUBLE_EQ(engine.status().programLeft, 10.0);

    auto played = engine.takePlayed();
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[0].number, 1);
    EXPECT_EQ(played[0].frames, 1000);
    EXPECT_EQ(played[1].number, 3);
    EXPECT_EQ(played[1].startFrame, 1000);
    EXPECT_EQ(played[1].frames, 500);
    // The paused stretch counts towards the wall-clock start of later steps but not towards the step played.
    EXPECT_EQ(played[2].number, 1);
    EXPECT_NEAR(static_cast<double>(played[2].frames), 2000 + kFade + 100, 1.0);
    EXPECT_EQ(played[3].number, 3);
    EXPECT_EQ(played[3].startFrame, static_cast<std::int64_t>(1500 + 2000 + kFade + 10 + 5000 + 100));
    EXPECT_EQ(played[3].frames, 100);

    engine.next(); // past the last step: ends the program with a fade
    Stereo tail = measure::render(engine);
    EXPECT_TRUE(engine.finished());
    EXPECT_LE(tail.size(), kFade + 1);
}

TEST(FreqgenEngine, SpreadIsInsertedAfterTheCurrentStep) {
    Engine engine(volumes(0.5, 0.5), {{727, 180}, {1000, 60}}, kRate);
    measure::renderFrames(engine, 100);
    ASSERT_TRUE(engine.insertSpread());
    const auto& steps = engine.steps();
    ASSERT_EQ(steps.size(), 20u);
    EXPECT_EQ(engine.status().count, 20);
    for (std::size_t i = 0; i < kSpreadOffsets.size(); ++i) {
        EXPECT_DOUBLE_EQ(steps[i + 1].freq, 727 + kSpreadOffsets[i]);
        EXPECT_DOUBLE_EQ(steps[i + 1].seconds, 180);
    }
    EXPECT_DOUBLE_EQ(steps.back().freq, 1000);
    EXPECT_DOUBLE_EQ(kSpreadOffsets.front(), -3);
    EXPECT_DOUBLE_EQ(kSpreadOffsets[8], -0.05);
    EXPECT_DOUBLE_EQ(kSpreadOffsets[9], 0.05);
    engine.next();
    EXPECT_DOUBLE_EQ(engine.status().freq, 724);

    Engine silent(volumes(0.5, 0.5), {{0, 10}}, kRate);
    EXPECT_FALSE(silent.insertSpread());
    EXPECT_EQ(silent.steps().size(), 1u);
}

TEST(FreqgenEngine, VolumeKeysMoveBothChannelsWithinZeroToOne) {
    Engine engine(volumes(0.5, 0.95), {{1000, 10}}, kRate);
    measure::renderFrames(engine, 1000);
    engine.changeVolume(kVolumeStep);
    EXPECT_NEAR(engine.status().volLeft, 0.55, 1e-12);
    EXPECT_DOUBLE_EQ(engine.status().volRight, 1.0);
    measure::renderFrames(engine, 2 * kFade);
    Stereo after = measure::renderFrames(engine, kRate);
    EXPECT_NEAR(measure::rms(after.left, 0, after.size()), 0.55 / std::sqrt(2.0), 1e-3);
    EXPECT_NEAR(measure::rms(after.right, 0, after.size()), 1.0 / std::sqrt(2.0), 1e-3);
    for (int i = 0; i < 30; ++i)
        engine.changeVolume(-kVolumeStep);
    EXPECT_DOUBLE_EQ(engine.status().volLeft, 0.0);
    EXPECT_DOUBLE_EQ(engine.status().volRight, 0.0);
}

TEST(FreqgenEngine, QuitFadesOutAndEnds) {
    Engine engine(volumes(1, 1), {{1000, 10}}, kRate);
    measure::renderFrames(engine, 5000);
    engine.quit();
    Stereo tail = measure::render(engine);
    EXPECT_TRUE(engine.finished());
    ASSERT_GE(tail.size(), kFade - 1);
    EXPECT_LE(tail.size(), kFade + 1);
    EXPECT_LT(std::fabs(tail.left.back()), 0.01);
    EXPECT_EQ(engine.status().step, 0);
    auto played = engine.takePlayed();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].frames, static_cast<std::int64_t>(5000 + tail.size()));
    Engine empty(volumes(1, 1), {{440, 0}}, kRate);
    EXPECT_TRUE(empty.finished());
}
