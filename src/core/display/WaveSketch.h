#pragma once

#include <QPointF>
#include <vector>

namespace sono {

// One connected line of the wave picture, in twips from the box's top left corner (y grows down).
struct WaveTrace {
    std::vector<QPointF> points;
    bool shifted = false; // the phase-shifted copy, drawn in cyan
};

// The picture box the sketches are drawn for, in twips.
inline constexpr double WaveBoxWidth = 1935;
inline constexpr double WaveBoxHeight = 495;

// fgDrawWave's sketch of wave type 0 sine, 1 square, 2 saw tooth, 3 triangle. A sine with a phase
// above 0 gets a second trace 100 twips to the left. Other types give no traces.
std::vector<WaveTrace> waveSketch(int waveType, float phase);

// The phase display: the reference trace and a copy shifted left by an amount that grows with the phase
// (for the sine only when the phase is above 0).
std::vector<WaveTrace> phaseDisplay(int waveType, float phase);

} // namespace sono
