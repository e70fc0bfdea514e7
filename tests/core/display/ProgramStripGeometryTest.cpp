#include "core/display/ProgramStripGeometry.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace sono;

namespace {

ProgramTable table(std::initializer_list<std::pair<float, qint16>> steps) {
    ProgramTable t;
    for (const auto& [hz, seconds] : steps) {
        ++t.StepCount;
        t.StepFreq[t.StepCount] = hz;
        t.StepTime[t.StepCount] = seconds;
    }
    return t;
}

} // namespace

// Each step ends where its time says; 0 Hz and timeless steps leave gaps; frequency is logarithmic.
TEST(ProgramStripGeometry, StepsToScaleGapsAndLogHeights) {
    const QRectF plot(10, 0, 120, 100);
    const StripGeometry g = stripGeometry(table({{100, 60}, {0, 30}, {1000, 30}, {500, 0}}), plot, 12);
    EXPECT_EQ(g.stepEnds, (std::vector<double>{70, 100, 130, 130}));
    ASSERT_EQ(g.bars.size(), 2u);
    EXPECT_EQ(
        std::tuple(g.bars[0].step, g.bars[0].x0, g.bars[0].x1, g.bars[1].step, g.bars[1].x0, g.bars[1].x1),
        std::tuple(1, 10.0, 70.0, 3, 100.0, 130.0));
    EXPECT_EQ(std::vector({g.stepAt(5), g.stepAt(40), g.stepAt(85), g.stepAt(129), g.stepAt(131)}),
              std::vector({0, 1, 2, 3, 0}));
    EXPECT_EQ(std::pair(g.xOf(30), g.xOf(500)), std::pair(40.0, 130.0));
    EXPECT_NEAR(g.yOf(std::sqrt(100.0 * 1000.0)), (g.bars[0].y + g.bars[1].y) / 2, 1e-9);
    EXPECT_TRUE(plot.top() < g.bars[1].y && g.bars[1].y < g.bars[0].y && g.bars[0].y < plot.bottom());
    std::vector<double> named;
    for (const StripLabel& label : g.labels)
        named.push_back(label.hz);
    EXPECT_EQ(named, (std::vector<double>{100, 200, 500, 1000}));
    // One tone sits mid-height; silence alone draws nothing.
    const StripGeometry one = stripGeometry(table({{440, 10}, {0, 10}}), plot, 12);
    EXPECT_TRUE(one.bars.size() == 1 && one.bars[0].y == 50 && !one.labels.empty() && one.stepAt(129) == 2);
    EXPECT_TRUE(stripGeometry(table({{0, 10}}), plot, 12).labels.empty());
}

// A full table: every step has its bar in order, the mouse finds each, and the labels never overlap.
TEST(ProgramStripGeometry, TwoThousandSteps) {
    ProgramTable t;
    t.StepCount = ProgramTable::MaxSteps;
    for (int i = 1; i <= t.StepCount; ++i) {
        t.StepFreq[i] = static_cast<float>(20 * std::pow(1000.0, (i - 1) / 1999.0));
        t.StepTime[i] = 1;
    }
    const QRectF plot(40, 5, 1000, 120);
    const StripGeometry g = stripGeometry(t, plot, 15);
    ASSERT_EQ(g.bars.size(), 2000u);
    EXPECT_EQ(g.stepEnds.back(), plot.right());
    for (size_t i = 0; i < g.bars.size(); ++i) {
        const StripBar& b = g.bars[i];
        EXPECT_TRUE(std::abs(b.x1 - b.x0 - 0.5) < 1e-9 && g.stepAt((b.x0 + b.x1) / 2) == b.step &&
                    (i == 0 || b.y < g.bars[i - 1].y))
            << i;
    }
    ASSERT_GE(g.labels.size(), 3u);
    for (size_t i = 0; i < g.labels.size(); ++i)
        EXPECT_TRUE(g.labels[i].y >= plot.top() && g.labels[i].y <= plot.bottom() &&
                    (i == 0 || g.labels[i - 1].y - g.labels[i].y >= 15))
            << i;
}
