#include "display/WaveSketch.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace sono;

TEST(WaveSketch, SineHas501PointsAroundTheMiddleLine) {
    const auto traces = waveSketch(0, 0);
    ASSERT_EQ(traces.size(), 1u);
    const auto& p = traces[0].points;
    ASSERT_EQ(p.size(), 501u);
    EXPECT_EQ(p.front(), QPointF(0, 200));
    EXPECT_EQ(p.back().x(), 5000);
    double lo = 1e9, hi = -1e9;
    for (const QPointF& q : p) {
        lo = std::min(lo, q.y());
        hi = std::max(hi, q.y());
    }
    EXPECT_EQ(lo, 28);
    EXPECT_EQ(hi, 371); // no sample lands exactly on a crest, and Int rounds down
    // x = 10: 172 * sin(0.0842...) = 14.47 -> 14; rounding down matters below the middle line.
    EXPECT_EQ(p[1].y(), 214);
    EXPECT_EQ(p[50].y(), std::floor(172 * std::sin(2 * 3.1415 * 29.5 / 22000 * 500)) + 200);
}

TEST(WaveSketch, SineWithPhaseAddsTheCopy100ToTheLeftStartingFromTheEnd) {
    const auto traces = waveSketch(0, 0.5f);
    ASSERT_EQ(traces.size(), 2u);
    const auto& copy = traces[1].points;
    ASSERT_EQ(copy.size(), 502u);
    EXPECT_EQ(copy[0], QPointF(5000, 200));
    EXPECT_EQ(copy[1], QPointF(-100, 200));
    EXPECT_EQ(copy[2], QPointF(-90, traces[0].points[1].y()));
}

TEST(WaveSketch, SquareSawAndTriangleCorners) {
    const std::vector<QPointF> square{{0, 360},    {234, 360}, {234, 50},  {702, 50},   {702, 360},
                                      {1170, 360}, {1170, 50}, {1638, 50}, {1638, 360}, {1872, 360}};
    EXPECT_EQ(waveSketch(1, 45)[0].points, square);
    EXPECT_EQ(waveSketch(1, 45).size(), 1u);
    const std::vector<QPointF> saw{{0, 200},  {305, 360},  {305, 50},  {915, 360},
                                   {915, 50}, {1525, 360}, {1525, 50}, {2135, 360}};
    EXPECT_EQ(waveSketch(2, 0)[0].points, saw);
    // Type 3 only comes from a program file; it still draws.
    const std::vector<QPointF> triangle{{0, 200},     {187.5, 360},  {562.5, 50}, {937.5, 360},
                                        {1312.5, 50}, {1687.5, 360}, {2062.5, 50}};
    EXPECT_EQ(waveSketch(3, 0)[0].points, triangle);
    EXPECT_TRUE(waveSketch(4, 0).empty());
    EXPECT_TRUE(waveSketch(-1, 0).empty());
}

TEST(PhaseDisplay, SquareAt90IsShifted234) {
    const auto traces = phaseDisplay(1, 90);
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_FALSE(traces[0].shifted);
    EXPECT_TRUE(traces[1].shifted);
    const auto& ref = traces[0].points;
    const auto& copy = traces[1].points;
    ASSERT_EQ(copy.size(), 13u);
    for (size_t i = 0; i < ref.size(); ++i)
        if (i != 9) { // corner 9 is where the copy runs on past the reference
            EXPECT_EQ(copy[i], ref[i] - QPointF(234, 0)) << i;
        }
    EXPECT_EQ(copy.back(), QPointF(5.5 * 468 - 234, 360));
}

TEST(PhaseDisplay, SineCopyOnlyAbovePhaseZeroAndOtherShapesAlways) {
    ASSERT_EQ(phaseDisplay(0, 0).size(), 1u);
    const auto sine = phaseDisplay(0, 30);
    ASSERT_EQ(sine.size(), 2u);
    EXPECT_EQ(sine[1].points[0], QPointF(0, 200));
    EXPECT_EQ(sine[1].points[1], QPointF(-60, 200));
    EXPECT_EQ(sine[1].points.back().x(), 4940);

    const auto saw = phaseDisplay(2, 10);
    ASSERT_EQ(saw[1].points.size(), 10u);
    EXPECT_EQ(saw[1].points[0], QPointF(-16, 200));
    EXPECT_EQ(saw[1].points.back(), QPointF(4.5 * 610 - 16, 360));

    const auto tri = phaseDisplay(3, 0);
    ASSERT_EQ(tri.size(), 2u);
    EXPECT_EQ(tri[1].points.front(), QPointF(-187.5, 50));
    EXPECT_EQ(tri[1].points.back(), QPointF(7.5 * 375, 50));
    EXPECT_TRUE(phaseDisplay(7, 10).empty());
}
