#include "Measure.h"
#include "status.h"
#include "text.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using namespace freqgen;
using namespace measure;

namespace {

constexpr int kRate = 48000;
constexpr std::size_t kFade = static_cast<std::size_t>(kFadeSeconds * kRate);
const double kRoot2 = std::sqrt(2.0);

// How far the right channel leads the left at this frequency, 0 to 360 degrees.
double phaseDegrees(const Stereo& s, std::size_t begin, std::size_t end, double freq) {
    auto lead = component(s.right, begin, end, freq, kRate) / component(s.left, begin, end, freq, kRate);
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
    const std::vector<Step> steps{{440, 1}, {1234.5, 0.5}, {7.83, 3}, {9876.54, 0.25}, {3.5, 0.7}};
    for (int rate : {48000, 44100, 192000}) {
        SCOPED_TRACE(rate);
        Engine engine({.volLeft = 0.9, .volRight = 0.9, .phaseDeg = 33}, steps, rate);
        Stereo out = render(engine);
        std::string expected;
        std::size_t at = 0;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            auto frames = static_cast<std::size_t>(std::llround(steps[i].seconds * rate));
            expected += fmt("{}@{}+{} ", i + 1, at, frames);
            const double f = steps[i].freq;
            EXPECT_NEAR(frequency(out.left, at + 4 * kFade, at + frames - 4 * kFade, rate), f, f * 1e-4) << i;
            // The phase runs on across a step change: no jump steeper than the faster wave's own slope.
            double steepest = 2 * std::numbers::pi * std::max(f, steps[i ? i - 1 : 0].freq) / rate * 0.9001;
            for (const auto* channel : {&out.left, &out.right})
                EXPECT_LE(maxJump(*channel, at - (i ? 3 : 0), at + 3), steepest) << "start of step " << i + 1;
            at += frames;
        }
        EXPECT_EQ(fmt("{} {}", out.size(), played(engine)), fmt("{} {}", at, expected));
    }
}

TEST(FreqgenEngine, ChannelVolumesPhaseAndLeftEqualsRight) {
    const std::tuple<double, double, double> rows[] = {
        {0.8, 0.25, 90}, {0.25, 0.8, 45.5}, {0.8, 0.25, 300}, {0.8, 0.25, 0.5}, {0, 1, 0}};
    for (auto [left, right, phase] : rows) {
        SCOPED_TRACE(phase);
        Stereo out = render({.volLeft = left, .volRight = right, .phaseDeg = phase}, {{440, 1}, {2500, 1}});
        EXPECT_NEAR(rms(out.left, kFade, kRate - kFade), left / kRoot2, left * 1e-3);
        EXPECT_NEAR(rms(out.right, kFade, kRate - kFade), right / kRoot2, right * 1e-3);
        if (left == 0) continue;
        EXPECT_NEAR(phaseDegrees(out, kFade, kRate - kFade, 440), phase, 0.5);
        EXPECT_NEAR(phaseDegrees(out, kRate + kFade, 2 * kRate - 4 * kFade, 2500), phase, 0.5);
    }
    // -l=r: the left channel is an exact copy of the right, whatever the wave, phase and gating.
    for (Wave wave : {Wave::Sine, Wave::Square, Wave::Saw}) {
        Stereo out = render({0.3, 0.7, false, false, true, wave, 90, 7}, {{440, 0.5}, {0, 0.1}, {880, 0.5}});
        ASSERT_EQ(out.left, out.right);
        EXPECT_GT(rms(out.right, 0, out.size()), 0.2);
    }
}

TEST(FreqgenEngine, GatingRateDutyAndSoftEdges) {
    const double f = 4000;
    for (double pps : {10.0, 37.0}) {
        SCOPED_TRACE(pps);
        Stereo out = render({.volLeft = 1, .volRight = 1, .gatingPps = pps}, {{f, 2}});
        // On where the peak of a 12-sample window (one period of the tone) is loud.
        std::vector<bool> on;
        for (auto w = out.left.begin(); w + 12 <= out.left.end(); w += 12)
            on.push_back(std::any_of(w, w + 12, [](float v) { return std::fabs(v) > 0.5f; }));
        int starts = on[0];
        for (std::size_t i = 1; i < on.size(); ++i)
            starts += on[i] && !on[i - 1];
        EXPECT_NEAR(starts, 2 * pps, 1.0);
        EXPECT_NEAR(static_cast<double>(std::ranges::count(on, true)) / static_cast<double>(on.size()), 0.5,
                    0.01);
        // A hard switch would jump by up to the full amplitude; the soft edge adds little to the tone's
        // slope.
        double edgeSlope = std::numbers::pi / 2 / (kGateEdgeSeconds * kRate);
        EXPECT_LE(maxJump(out.left, 0, out.size()), 2 * std::numbers::pi * f / kRate + edgeSlope + 1e-3);
    }
}

TEST(FreqgenEngine, SquareAndSawAreBandLimited) {
    const double a = 0.5;
    const std::size_t n = 1 << 16;
    for (Wave wave : {Wave::Square, Wave::Saw}) {
        const bool square = wave == Wave::Square;
        for (double f : {441.0, 1000.0, 2345.0, 7000.0, 10000.0, 15000.0, 20000.0}) {
            SCOPED_TRACE(fmt("{} {} Hz", square ? "square" : "saw", f));
            Stereo out = render({.volLeft = a, .volRight = a, .wave = wave, .phaseDeg = 90}, {{f, 1.5}});
            for (const auto* channel : {&out.left, &out.right}) {
                // Every harmonic up to 20 kHz at the level of the ideal wave of the same peak (odd harmonics
                // only for the square), measured over a whole number of periods.
                const double fundamental = std::abs(component(*channel, kFade, kFade + kRate, f, kRate));
                double worstDb = 0, worstEven = 0;
                for (int k = 1; k * f <= 20000; ++k) {
                    double level = std::abs(component(*channel, kFade, kFade + kRate, k * f, kRate));
                    if (square && k % 2 == 0)
                        worstEven = std::max(worstEven, level / fundamental);
                    else
                        worstDb = std::max(worstDb, std::fabs(20 * std::log10(level * std::numbers::pi * k /
                                                                              (square ? 4 : 2) / a)));
                }
                EXPECT_LE(worstDb, 0.1);
                EXPECT_LE(worstEven, 1e-4);
                // Nothing else: what lies away from the harmonics is aliasing.
                std::vector<double> bins = spectrum(*channel, kFade, n);
                const double bin = static_cast<double>(kRate) / n;
                for (double h = f; h < kRate / 2; h += f)
                    for (auto k = std::llround(h / bin) - 12; k <= std::llround(h / bin) + 12; ++k)
                        if (k >= 0 && k < static_cast<long long>(bins.size()))
                            bins[static_cast<std::size_t>(k)] = 0;
                EXPECT_LE(20 * std::log10(std::ranges::max(bins) / fundamental), -80);
            }
        }
    }
}

TEST(FreqgenEngine, SkipsStepsOfZeroSecondsAndSilencesZeroHertz) {
    Engine engine({0.5, 0.5}, {{440, 0.5}, {500, 0}, {600, -5}, {0, 0.5}, {-3, 0.25}, {700, 0.5}}, kRate);
    Stereo out = render(engine);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(1.75 * kRate));
    EXPECT_EQ(played(engine), "1@0+24000 4@24000+24000 5@48000+12000 6@60000+24000 ");
    // Silent from the first sample of the silent steps: the tone fades out within its own last milliseconds.
    const std::size_t silenceStart = kRate / 2, silenceEnd = kRate / 2 + 3 * kRate / 4;
    const double toneSlope = 2 * std::numbers::pi * 440 / kRate * 0.5, fadeSlope = 0.5 / kFade;
    EXPECT_EQ(std::count(&out.left[silenceStart], &out.left[silenceEnd], 0.0f), silenceEnd - silenceStart);
    EXPECT_GT(maxJump(out.left, silenceStart - 2 * kFade, silenceStart - kFade), toneSlope * 0.99);
    EXPECT_LE(maxJump(out.left, silenceStart - kFade, silenceStart + 1), toneSlope + fadeSlope);
    EXPECT_NEAR(frequency(out.left, silenceEnd + kFade, out.size() - kFade, kRate), 700, 0.07);
    // Fades in at the start and out at the end rather than clicking.
    EXPECT_LT(std::max(std::fabs(out.left.front()), std::fabs(out.left.back())), 0.01);
    // A key into a silent step, too, fades the tone out as the end of the step it leaves.
    const std::tuple<char, std::vector<Step>, std::string> keyed[] = {
        {'n', {{440, 10}, {0, 1}}, fmt("1@0+{} ", 10000 + kFade)},
        {'b', {{0, 0.1}, {440, 10}}, fmt("1@0+4800 2@4800+{} ", 5200 + kFade)}};
    for (const auto& [key, steps, expected] : keyed) {
        Engine engine({0.5, 0.5}, steps, kRate);
        render(engine, 10000), applyKey(engine, key);
        Stereo after = render(engine, kFade + 4000);
        EXPECT_EQ(played(engine), expected);
        EXPECT_EQ(std::count(&after.left[kFade], &after.left[kFade + 4000], 0.0f), 4000) << key;
        EXPECT_LE(maxJump(after.left, 0, kFade), toneSlope + fadeSlope) << key;
    }
    // A saw that starts in silence, its volume changed there before any tone has sounded.
    Engine saw({0.5, 0.5, false, false, false, Wave::Saw}, {{-51, 0.1}, {0, 1}}, kRate);
    applyKey(saw, '-');
    const Stereo quiet = render(saw, 1000);
    EXPECT_EQ(std::count(quiet.left.begin(), quiet.left.end(), 0.0f), 1000);
}

TEST(FreqgenEngine, KeysSteerThePlayerAndWhatWasPlayedIsKept) {
    Engine engine({0.5, 0.95}, {{440, 10}, {0, 0}, {550, 10}, {660, 10}}, kRate);
    // Frames to play, then a key, then the step and pause state it leaves; 'b' on the first step restarts it.
    const std::tuple<std::size_t, char, int, bool> script[] = {
        {1000, 'n', 3, false},         {500, 'b', 1, false}, {0, 'b', 1, false},  {2000, ' ', 1, true},
        {kFade + 5010, ' ', 1, false}, {100, 'n', 3, false}, {100, 'n', 4, false}};
    for (auto [frames, key, step, paused] : script) {
        Stereo out = render(engine, frames);
        EXPECT_EQ(key == ' ' && !paused ? rms(out.left, kFade + 10, frames) : 0, 0) << "silent while paused";
        EXPECT_TRUE(applyKey(engine, key));
        EXPECT_EQ(std::pair(engine.status().step, engine.status().paused), std::pair(step, paused)) << key;
    }
    // The pause counts towards the start of later steps (8850) but not the step played (2000 + fade + 100).
    EXPECT_EQ(played(engine), "1@0+1000 3@1000+500 1@1500+2341 3@8850+100 ");
    for (char key : {'+', '=', '-'}) // the right channel is held at 1 on the way up
        EXPECT_TRUE(applyKey(engine, key));
    EXPECT_NEAR(engine.status().volLeft, 0.55, 1e-9);
    EXPECT_NEAR(engine.status().volRight, 0.95, 1e-9);
    EXPECT_TRUE(applyKey(engine, 'N'));
    const Step first = engine.steps()[4], last = engine.steps()[21]; // 660 Hz -3 ... +3, inserted after it
    EXPECT_EQ(fmt("{},{} {},{}", first.freq, first.seconds, last.freq, last.seconds), "657,180 663,180");
    applyKey(engine, 'n');
    EXPECT_EQ(std::pair(engine.status().freq, engine.status().count), std::pair(657.0, 22));
    EXPECT_FALSE(applyKey(engine, 'x') || applyKey(engine, 'B'));
    for (int i = 0; i < 30; ++i)
        applyKey(engine, '-');
    EXPECT_EQ(engine.status().volLeft + engine.status().volRight, 0.0); // held at 0 on the way down

    for (char key : {'q', '\x1b', 'n'}) { // 'n' past the last step ends the program with a fade too
        Engine engine({0.5, 0.5}, {{440, 10}}, kRate);
        render(engine, 5000), applyKey(engine, key);
        Stereo tail = render(engine);
        EXPECT_LT(std::fabs(tail.left.back()), 0.01) << key;
        EXPECT_NEAR(static_cast<double>(tail.size()), kFade, 1.0) << key;
        EXPECT_EQ(fmt("{} {}", engine.finished(), played(engine)), fmt("1 1@0+{} ", 5000 + tail.size()))
            << key;
    }
    EXPECT_FALSE(Engine({0.5, 0.5}, {{0, 10}}, kRate).insertSpread());
    EXPECT_TRUE(Engine({1, 1}, {{440, 0}}, kRate).finished());
}

TEST(FreqgenStatus, FoldsAtNyquistAndTheStatusLineSaysSo) {
    std::string folds;
    for (auto [freq, rate] :
         {std::pair{23999.0, 48000.0}, {24000.0, 48000.0}, {1e5, 48000.0}, {3e4, 192000.0}})
        folds += fmt("{}/{} ", foldToNyquist(freq, rate).freq, foldToNyquist(freq, rate).octaves);
    EXPECT_EQ(folds, "23999/0 12000/1 12500/3 30000/0 ");
    EXPECT_EQ(foldNote(100000, foldToNyquist(100000, 48000), 48000),
              "100000 Hz is above the Nyquist limit of 24000 Hz: playing 12500 Hz (3 octaves down)");

    Engine engine({0.5, 1}, {{1000, 180}, {0, 0}, {30000, 3600}, {0, 60}}, kRate);
    render(engine, kRate * 5 + 100), engine.next();
    EXPECT_EQ(
        statusLine(engine.status()),
        "Step 3 of 4  30000 Hz  step 1:00:00 left  program 1:01:00 left  vol 0.50/1.00  (plays 15000 Hz)");
    engine.togglePause(), render(engine, 2 * kFade), engine.next();
    EXPECT_EQ(statusLine(engine.status()),
              "Step 4 of 4  0 Hz  step 1:00 left  program 1:00 left  vol 0.50/1.00  (silence)  PAUSED");
    // 2.5 million of the longest steps at the highest rate: more frames than a 64-bit count holds.
    const std::vector<Step> huge(2'500'000, Step{440, kMaxStepSeconds});
    EXPECT_DOUBLE_EQ(Engine({1, 1}, huge, 384000).status().programLeft, 2.5e6 * kMaxStepSeconds);
}
