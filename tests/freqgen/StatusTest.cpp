#include "status.h"
#include "Measure.h"

#include <gtest/gtest.h>

using namespace freqgen;

TEST(FreqgenStatus, LineShowsStepFrequencyTimesAndVolumes) {
    Settings s;
    s.volLeft = 0.5;
    s.volRight = 1;
    Engine engine(s, {{1000, 180}, {0, 0}, {30000, 3600}, {0, 60}}, 48000);
    measure::renderFrames(engine, 48000 * 5 + 100);
    EXPECT_EQ(statusLine(engine.status()),
              "Step 1 of 4  1000 Hz  step 2:55 left  program 1:03:55 left  vol 0.50/1.00");
    engine.next();
    EXPECT_EQ(
        statusLine(engine.status()),
        "Step 3 of 4  30000 Hz  step 1:00:00 left  program 1:01:00 left  vol 0.50/1.00  (plays 15000 Hz)");
    EXPECT_EQ(foldNote(30000, foldToNyquist(30000, 48000), 48000),
              "30000 Hz is above the Nyquist limit of 24000 Hz: playing 15000 Hz (1 octave down)");
    EXPECT_EQ(foldNote(100000, foldToNyquist(100000, 48000), 48000),
              "100000 Hz is above the Nyquist limit of 24000 Hz: playing 12500 Hz (3 octaves down)");
    engine.togglePause();
    engine.next();
    EXPECT_EQ(statusLine(engine.status()),
              "Step 4 of 4  0 Hz  step 1:00 left  program 1:00 left  vol 0.50/1.00  (silence)  PAUSED");
    engine.quit();
    measure::render(engine);
    EXPECT_EQ(statusLine(engine.status()), "Program finished.");
}

TEST(FreqgenStatus, KeysSteerThePlayer) {
    Settings s;
    s.volLeft = s.volRight = 0.5;
    Engine engine(s, {{440, 10}, {550, 10}, {660, 10}}, 48000);
    EXPECT_TRUE(applyKey(engine, 'n'));
    EXPECT_EQ(engine.status().step, 2);
    EXPECT_TRUE(applyKey(engine, 'b'));
    EXPECT_EQ(engine.status().step, 1);
    EXPECT_TRUE(applyKey(engine, '+'));
    EXPECT_TRUE(applyKey(engine, '='));
    EXPECT_NEAR(engine.status().volLeft, 0.6, 1e-12);
    EXPECT_TRUE(applyKey(engine, '-'));
    EXPECT_NEAR(engine.status().volRight, 0.55, 1e-12);
    EXPECT_TRUE(applyKey(engine, 'N'));
    EXPECT_EQ(engine.status().count, 21);
    EXPECT_TRUE(applyKey(engine, ' '));
    EXPECT_TRUE(engine.status().paused);
    EXPECT_TRUE(applyKey(engine, ' '));
    EXPECT_FALSE(engine.status().paused);
    EXPECT_FALSE(applyKey(engine, 'x'));
    EXPECT_FALSE(applyKey(engine, 'B'));
    EXPECT_EQ(engine.status().step, 1);
    EXPECT_FALSE(engine.finished());
    EXPECT_TRUE(applyKey(engine, '\x1b'));
    measure::render(engine);
    EXPECT_TRUE(engine.finished());
    Engine other(s, {{440, 10}}, 48000);
    applyKey(other, 'q');
    measure::render(other);
    EXPECT_TRUE(other.finished());
}
