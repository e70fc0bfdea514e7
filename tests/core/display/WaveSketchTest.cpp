#include "core/display/WaveSketch.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

// The number of traces, then every point as "x,y".
QString text(const std::vector<WaveTrace>& traces) {
    QStringList points;
    for (const WaveTrace& trace : traces)
        for (const QPointF& p : trace.points)
            points << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    return QString::number(traces.size()) + ":" + points.join(u' ');
}

} // namespace

TEST(WaveSketch, SineHas501PointsAndAPhaseCopy100ToTheLeft) {
    const auto p = waveSketch(0, 0).at(0).points;
    ASSERT_EQ(p.size(), 501u);
    EXPECT_EQ(p.front(), QPointF(0, 200));
    EXPECT_EQ(p.back().x(), 5000);
    const auto [lo, hi] =
        std::minmax_element(p.begin(), p.end(), [](auto a, auto b) { return a.y() < b.y(); });
    // No sample lands exactly on a crest, and Int rounds down, as does 14.47 below the middle line.
    EXPECT_EQ(QList<double>({lo->y(), hi->y(), p[1].y()}), QList<double>({28, 371, 214}));
    const auto copy = waveSketch(0, 0.5f).at(1).points;
    ASSERT_EQ(copy.size(), 502u);
    EXPECT_EQ(copy[1], QPointF(-100, 200));
    EXPECT_EQ(copy[2], QPointF(-90, p[1].y()));
}

// Type 3 only comes from a program file; it still draws. Unknown types draw nothing.
TEST(WaveSketch, SquareSawAndTriangleCorners) {
    const std::pair<int, const char*> rows[] = {
        {1, "1:0,360 234,360 234,50 702,50 702,360 1170,360 1170,50 1638,50 1638,360 1872,360"},
        {2, "1:0,200 305,360 305,50 915,360 915,50 1525,360 1525,50 2135,360"},
        {3, "1:0,200 187.5,360 562.5,50 937.5,360 1312.5,50 1687.5,360 2062.5,50"},
        {4, "0:"},
        {-1, "0:"}};
    for (const auto& [type, corners] : rows)
        EXPECT_EQ(text(waveSketch(type, 45)), corners) << type;
}

TEST(PhaseDisplay, SquareAt90IsShifted234AndEveryShapeHasItsCopy) {
    const auto traces = phaseDisplay(1, 90);
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_TRUE(!traces[0].shifted && traces[1].shifted);
    const auto& copy = traces[1].points;
    ASSERT_EQ(copy.size(), 13u);
    for (size_t i = 0; i < 9; ++i) // from corner 9 on, the copy runs on past the reference
        EXPECT_EQ(copy[i], traces[0].points[i] - QPointF(234, 0)) << i;
    EXPECT_EQ(copy.back(), QPointF(5.5 * 468 - 234, 360));

    EXPECT_EQ(phaseDisplay(0, 0).size(), 1u); // the sine gets a copy only above phase 0
    EXPECT_EQ(phaseDisplay(0, 30).at(1).points[1], QPointF(-60, 200));
    EXPECT_EQ(phaseDisplay(2, 10).at(1).points[0], QPointF(-16, 200));
    EXPECT_EQ(phaseDisplay(3, 0).at(1).points.front(), QPointF(-187.5, 50));
    EXPECT_TRUE(phaseDisplay(7, 10).empty());
}
