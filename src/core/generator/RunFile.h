#pragma once

#include "core/display/Calibration.h"
#include "core/program/ProgramTable.h"

#include <QByteArray>
#include <QString>
#include <array>

namespace sono {

using OutFreqArray = std::array<float, ProgramTable::MaxSteps + 1>;

// The frequency to ask of the sound card so that `freq` comes out, by linear interpolation inside
// the calibration band holding it. 0 Hz and below count as 1 Hz; 25000 Hz and above use the last
// band extended, so the correction stays continuous.
float correctForCalibration(float freq, const Calibration& calibration);

// OutFreq for steps 1..StepCount. With calibration on, steps at 0 Hz or below become 1 Hz in the table
// too, as the generator is given.
void computeOutFreq(ProgramTable& table, const Calibration& calibration, OutFreqArray& outFreq);

// <program>.run: the option string and the application title as comments, then "freq,time" per step.
QByteArray runFileBytes(const QString& freqgenArgs, const QString& buildTitle, const ProgramTable& table,
                        const OutFreqArray& outFreq);

} // namespace sono
