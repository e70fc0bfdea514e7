#include "core/display/WaveSketch.h"

#include <cmath>
#include <initializer_list>

namespace sono {

namespace {

// The sketch's own constant, not pi: it sets how many periods fit the box.
constexpr double SineStep = 2 * 3.1415 * 29.5 / 22000;

double sineY(int x) {
    return static_cast<qint16>(std::floor(172 * std::sin(SineStep * x)) + 200);
}

// Points given as (multiple of the half period, y), shifted left by s.
std::vector<QPointF> corners(double period, double s, std::initializer_list<std::pair<double, double>> list) {
    std::vector<QPointF> points;
    for (const auto& [m, y] : list)
        points.emplace_back(static_cast<float>(m * period) - s, y);
    return points;
}

std::vector<QPointF> squareReference() {
    return corners(468, 0,
                   {{0, 360},
                    {.5, 360},
                    {.5, 50},
                    {1.5, 50},
                    {1.5, 360},
                    {2.5, 360},
                    {2.5, 50},
                    {3.5, 50},
                    {3.5, 360},
                    {4, 360}});
}
std::vector<QPointF> sawReference() {
    return corners(610, 0,
                   {{0, 200}, {.5, 360}, {.5, 50}, {1.5, 360}, {1.5, 50}, {2.5, 360}, {2.5, 50}, {3.5, 360}});
}
std::vector<QPointF> triangleReference() {
    return corners(375, 0, {{0, 200}, {.5, 360}, {1.5, 50}, {2.5, 360}, {3.5, 50}, {4.5, 360}, {5.5, 50}});
}

std::vector<QPointF> sineTrace(double startX, double shift) {
    std::vector<QPointF> points;
    if (startX != 0) points.emplace_back(startX, sineY(0));
    for (int x = 0; x <= 5000; x += 10)
        points.emplace_back(x - shift, sineY(x));
    return points;
}

} // namespace

std::vector<WaveTrace> waveSketch(int waveType, float phase) {
    switch (waveType) {
    case 0: {
        std::vector<WaveTrace> traces{{sineTrace(0, 0), false}};
        // The pen stays at the end of the first trace, so the copy starts with a line back across the box.
        if (phase > 0) traces.push_back({sineTrace(5000, 100), false});
        return traces;
    }
    case 1:
        return {{squareReference(), false}};
    case 2:
        return {{sawReference(), false}};
    case 3:
        return {{triangleReference(), false}};
    default:
        return {};
    }
}

std::vector<WaveTrace> phaseDisplay(int waveType, float phase) {
    switch (waveType) {
    case 0: {
        std::vector<WaveTrace> traces{{sineTrace(0, 0), false}};
        if (phase > 0) {
            std::vector<QPointF> copy{QPointF(0, sineY(0))};
            for (const QPointF& p : sineTrace(0, 2.0 * phase))
                copy.push_back(p);
            traces.push_back({copy, true});
        }
        return traces;
    }
    case 1: {
        const double s = 2.6 * phase;
        return {{squareReference(), false},
                {corners(468, s,
                         {{0, 360},
                          {.5, 360},
                          {.5, 50},
                          {1.5, 50},
                          {1.5, 360},
                          {2.5, 360},
                          {2.5, 50},
                          {3.5, 50},
                          {3.5, 360},
                          {4.5, 360},
                          {4.5, 50},
                          {5.5, 50},
                          {5.5, 360}}),
                 true}};
    }
    case 2: {
        const double s = 1.6 * phase;
        return {{sawReference(), false},
                {corners(610, s,
                         {{0, 200},
                          {.5, 360},
                          {.5, 50},
                          {1.5, 360},
                          {1.5, 50},
                          {2.5, 360},
                          {2.5, 50},
                          {3.5, 360},
                          {3.5, 50},
                          {4.5, 360}}),
                 true}};
    }
    case 3: {
        const double s = 2.0 * phase;
        return {{triangleReference(), false},
                {corners(375, s,
                         {{-.5, 50},
                          {.5, 360},
                          {1.5, 50},
                          {2.5, 360},
                          {3.5, 50},
                          {4.5, 360},
                          {5.5, 50},
                          {6.5, 360},
                          {7.5, 50}}),
                 true}};
    }
    default:
        return {};
    }
}

} // namespace sono
