#pragma once

#include "core/buffer/FrequencyBuffer.h"
#include "core/program/ProgramTable.h"

#include <QString>
#include <QStringView>
#include <array>
#include <expected>
#include <vector>

namespace sono {

inline constexpr qint16 BufferStepTime = 180;

// One grid row as its three cell texts: "No", "Frequency", "Time".
using GridRowText = std::array<QString, 3>;

inline const QString FrequencyLimitText =
    QStringLiteral("The frequency must be a number of hertz, such as 528 or 7.83.");
inline const QString TimeLimitText =
    QStringLiteral("The time must be a whole number of seconds from -32768 to 32767, such as 180.");

// How a cell's text reads as a value: its leading number ("12.5Hz" is 12.5, "abc" 0). A frequency that
// does not fit single precision reads as 0; a time is rounded half to even and held to -32768..32767.
float cellFrequency(QStringView text);
qint16 cellTime(QStringView text);
qint16 clampToInt16(double value);
// A typed number its cell (1 frequency, 2 time) cannot hold, which would be kept as another value, is
// refused with the message naming the limit. Text that is not a number reads as 0, as described above.
std::expected<void, QString> checkCellRange(QStringView text, int column);

// "Take the table from the grid": StepCount from the rows (at most 2000 are read), StepNo, StepFreq and
// StepTime from their cells; the arrays above the new count are cleared.
void takeTableFromCells(const std::vector<GridRowText>& rows, ProgramTable& table);

// Sort options: 0 Low to High, 1 High to Low (by frequency), 2 No Sort (by the "No" label). Rows move
// whole, and rows with equal keys keep their order.
void sortRows(std::vector<GridRowText>& rows, int mode);

// The buffer's frequencies become the table, 180 s each: every entry in order, each up to its first
// empty slot. More than 2000 frequencies: the first 2000 are taken and the result says so.
struct BufferToTableResult {
    bool truncated = false;
};
BufferToTableResult bufferToTable(const FrequencyBuffer& buffer, ProgramTable& table);

// Inserts a step before or after step `position` (ignored for an empty table). Both texts must be
// numbers; a full table, a frequency out of range or a time outside -32768..32767 is refused unchanged.
std::expected<void, QString> insertStep(ProgramTable& table, int position, bool after,
                                        QStringView frequencyText, QStringView timeText);

// Removes step `row`; later steps move up.
std::expected<void, QString> deleteStep(ProgramTable& table, int row);

// Adds `seconds` (negative to take away) to every time, holding each to the 16-bit range.
void shiftAllTimes(ProgramTable& table, int seconds);

// The change box's spinner: the box's value stepped by `delta`. A time stays in the 16-bit range and a
// frequency does not go below 0.
double steppedValue(QStringView text, int column, int delta);

} // namespace sono
