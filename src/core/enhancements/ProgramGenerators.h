#pragma once

#include "core/program/ProgramTable.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <expected>
#include <vector>

// The enhancement generators: each builds or reshapes the program table from the texts of its window's
// boxes and returns the summary lines for the Enhancements list. Every check runs before the table is
// touched, so a refused input leaves the table exactly as it was.
//
// Result convention: an error is a message for the user; an empty list of lines means the input was
// silently ignored (as the Nuke'em, Offset and Bracket boxes do with too small a value) and nothing changed.
namespace sono {

using Generated = std::expected<QStringList, QString>;

inline const QString SweepValuesText =
    QStringLiteral("Sono Sweep requires values to be placed in the 4 fields.");
inline const QString ReallyNukeTooLowText = QStringLiteral("Requires a frequency 5Hz or higher!");
inline const QString MeditationValuesText = QStringLiteral("All seven fields require a value!");

// What the generators remember between uses: the last Nuke'em target and the last meditation notes.
struct GeneratorMemory {
    double TargetFreq = 0;
    std::array<float, 8> MeditationNote{};
};

// Zeroes steps 1..StepCount and empties the table.
void clearProgram(ProgramTable& table);

// A rising sweep from start to stop (whole hertz), `step` apart, each step `time` seconds.
Generated makeSweep(ProgramTable& table, QStringView start, QStringView stop, QStringView step,
                    QStringView time);

// Seven steps of 180 s from target - 3 to target + 3 Hz.
Generated makeNuke(ProgramTable& table, GeneratorMemory& memory, QStringView target);

// The target alone for 180 s; the generator adds its own spread while it plays.
Generated makeReallyNuke(ProgramTable& table, GeneratorMemory& memory, QStringView target);

// The program as the Offset Bracket Octave window found it: frequencies and times of steps 1..n.
struct SavedProgram {
    std::vector<float> freq;
    std::vector<qint16> time;
};
SavedProgram saveProgram(const ProgramTable& table);

Generated octaveUp(ProgramTable& table);
Generated octaveDown(ProgramTable& table);
Generated restoreProgram(ProgramTable& table, const SavedProgram& saved);
// Appends the saved program moved by the whole number of hertz in `value` (either sign).
Generated addOffset(ProgramTable& table, const SavedProgram& saved, QStringView value);
// Appends the saved program moved up and then down by the whole number of hertz in `value` (1 or more).
Generated addBracket(ProgramTable& table, const SavedProgram& saved, QStringView value);

// 100 cycles of the seven notes up and back down (1200 steps of 1 s); notes[0] is the lowest box.
inline constexpr int MeditationSteps = 1200;
Generated makeMeditation(ProgramTable& table, GeneratorMemory& memory, const std::array<QString, 7>& notes);

} // namespace sono
