#pragma once

#include "core/program/ProgramTable.h"

#include <QRectF>
#include <vector>

namespace sono {

// One step drawn as a bar: from x0 to x1 (time to scale) at height y (log frequency).
struct StripBar {
    int step; // 1-based
    double x0;
    double x1;
    double y;
};

// A frequency named on the axis, at height y.
struct StripLabel {
    double hz;
    double y;
};

// Where everything of the frequency-over-time picture goes inside `plot`. Steps of 0 Hz or below, and
// steps without time, get no bar: they show as gaps.
struct StripGeometry {
    QRectF plot;
    double totalSeconds = 0;
    double lowHz = 1;
    double highHz = 1;
    std::vector<StripBar> bars;
    std::vector<double> stepEnds; // the x where step i + 1 ends, for every step
    std::vector<StripLabel> labels;

    double xOf(double seconds) const;
    double yOf(double hz) const;
    // The step under x (1-based), or 0 outside the program.
    int stepAt(double x) const;
};

// Labels are 1, 2 and 5 times a power of ten, at least `labelSpacing` apart, centred inside the plot (the
// caller leaves room for half a label above and below it); the powers of ten come first.
StripGeometry stripGeometry(const ProgramTable& table, const QRectF& plot, double labelSpacing);

} // namespace sono
