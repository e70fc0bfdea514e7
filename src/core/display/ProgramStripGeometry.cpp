#include "core/display/ProgramStripGeometry.h"

#include <algorithm>
#include <cmath>

namespace sono {

double StripGeometry::xOf(double seconds) const {
    if (totalSeconds <= 0) return plot.left();
    return plot.left() + std::clamp(seconds / totalSeconds, 0.0, 1.0) * plot.width();
}

double StripGeometry::yOf(double hz) const {
    const double span = std::log(highHz / lowHz);
    return plot.bottom() - std::log(hz / lowHz) / span * plot.height();
}

int StripGeometry::stepAt(double x) const {
    if (totalSeconds <= 0 || x < plot.left() || x > plot.right()) return 0;
    const auto end = std::ranges::lower_bound(stepEnds, x);
    if (end == stepEnds.end()) return 0;
    return static_cast<int>(end - stepEnds.begin()) + 1;
}

StripGeometry stripGeometry(const ProgramTable& table, const QRectF& plot, double labelSpacing) {
    StripGeometry g;
    g.plot = plot;
    const int count = std::clamp<int>(table.StepCount, 0, ProgramTable::MaxSteps);
    double low = 0;
    double high = 0;
    for (int i = 1; i <= count; ++i) {
        g.totalSeconds += std::max<double>(table.StepTime[i], 0);
        const double hz = table.StepFreq[i];
        if (hz > 0 && std::isfinite(hz)) {
            low = low > 0 ? std::min(low, hz) : hz;
            high = std::max(high, hz);
        }
    }
    if (high > 0) {
        // A little room above and below, and at least two octaves, so one tone sits mid-height.
        low /= 1.25;
        high *= 1.25;
        if (high / low < 4) {
            const double mid = std::sqrt(low * high);
            low = mid / 2;
            high = mid * 2;
        }
        g.lowHz = low;
        g.highHz = high;
    }

    double start = 0;
    g.stepEnds.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        const double seconds = std::max<double>(table.StepTime[i], 0);
        const double x0 = g.xOf(start);
        start += seconds;
        const double x1 = g.xOf(start);
        g.stepEnds.push_back(x1);
        const double hz = table.StepFreq[i];
        if (seconds > 0 && hz > 0 && std::isfinite(hz)) g.bars.push_back({i, x0, x1, g.yOf(hz)});
    }
    if (high <= 0) return g;

    std::vector<double> candidates;
    for (const double mantissa : {1.0, 5.0, 2.0}) {
        for (int power = static_cast<int>(std::floor(std::log10(low))); power <= std::log10(high); ++power)
            candidates.push_back(mantissa * std::pow(10.0, power));
    }
    for (const double hz : candidates) {
        const double y = g.yOf(hz);
        if (y < plot.top() || y > plot.bottom()) continue;
        const bool clear = std::ranges::none_of(
            g.labels, [&](const StripLabel& label) { return std::abs(label.y - y) < labelSpacing; });
        if (clear) g.labels.push_back({hz, y});
    }
    std::ranges::sort(g.labels, {}, &StripLabel::hz);
    return g;
}

} // namespace sono
