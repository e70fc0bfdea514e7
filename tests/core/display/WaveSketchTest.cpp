#include "core/display/WaveSketch.h"

#include <gtest/gtest.h>

using namespace sono;

TEST(WaveSketch, SineHas501PointsAndAPhaseCopy100ToTheLeft) {
    const auto traces = waveSketch(0, 0);
    ASSERT_EQ(traces.size(), 1u);
    const auto& p = traces[0].points;
    ASSERT_EQ(p.size(), 501u);
    EXPECT_EQ(p.front(), QPointF(0, 200));
    EXPECT_EQ(p.back().x(), 5000);
    const auto [lo, hi] =
        std::minmax_element(p.begin(), p.end(), [](auto a, auto b) { return a.y() < b.y(); });
    EXPECT_EQ(lo->y(), 28);
    EXPECT_EQ(hi->y(), 371);  // no sample lands exactly on a crest, and Int rounds down
    EXPECT_EQ(p[1].y(), 214); // 14.47 below the middle line rounds down

    const auto shifted = waveSketch(0, 0.5f);
    ASSERT_EQ(shifted.size(), 2u);
    const auto& copy = shifted[1].points;
    ASSERT_EQ(copy.size(), 502u);
    EXPECT_EQ(copy[1], QPointF(-100, 200));
    EXPECT_EQ(copy[2], QPointF(-90, p[1].y()));
}

TEST(WaveSketch, SquareSawAndTriangleCorners) {
    const std::vector<QPointF> square{{0, 360},    {234, 360}, {234, 50},  {702, 50},   {702, 360},
                                      {1170, 360}, {1170, 50}, {1638, 50}, {1638, 360}, {1872, 360}};
    EXPECT_EQ(waveSketch(1, 45).size(), 1u);
    EXPECT_EQ(waveSketch(1, 45)[0].points, square);
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

TEST(PhaseDisplay, SquareAt90IsShifted234AndEveryShapeHasItsCopy) {
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

    EXPECT_EQ(phaseDisplay(0, 0).size(), 1u); // the sine gets a copy only above phase 0
    EXPECT_EQ(phaseDisplay(0, 30).at(1).points[1], QPointF(-60, 200));
    EXPECT_EQ(phaseDisplay(2, 10).at(1).points[0], QPointF(-16, 200));
    EXPECT_EQ(phaseDisplay(3, 0).at(1).points.front(), QPointF(-187.5, 50));
    EXPECT_TRUE(phaseDisplay(7, 10).empty());
}
