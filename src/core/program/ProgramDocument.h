#pragma once

#include "core/buffer/FrequencyBuffer.h"
#include "core/display/Calibration.h"
#include "core/enhancements/ProgramGenerators.h"
#include "core/generator/GeneratorSettings.h"
#include "core/generator/RunFile.h"
#include "core/program/CapAndDuplicates.h"
#include "core/program/ProgramEditing.h"
#include "core/program/ProgramTable.h"

#include <QObject>
#include <expected>
#include <functional>
#include <vector>

namespace sono {

struct ProgramStep;

// The program table's owner: the step arrays, the grid's cell texts (the table's second copy, which the
// grid shows and the change box edits), and OutFreq. Every change goes through one of its operations and
// ends in exactly one `changed`; a refused change emits nothing and leaves everything as it was.
class ProgramDocument : public QObject {
    Q_OBJECT
public:
    // What happened, so the grid can tell which of its controls to reset.
    enum class Change {
        Cleared,       // Clear, Sweep's Clear Table
        FromBuffer,    // Buffer
        Inserted,      // Insert
        Deleted,       // Delete
        TimesShifted,  // + and -
        Sorted,        // a sort option
        Capped,        // Apply
        Loaded,        // a program file, at start-up or by Load
        Generated,     // Sweep, Nuke'em, Really Nuke'em, Meditation
        Reshaped,      // Offset, Bracket, Octave, Restore, the calibration program
        TakenFromGrid, // the arrays read back from the cells (Run, Save)
        CellEdited,    // the change box or its spinner
    };
    Q_ENUM(Change)

    // Sorting and loading set SortMode, the generator setting a program file carries.
    explicit ProgramDocument(GeneratorSettings& settings);

    const ProgramTable& table() const { return table_; }
    int stepCount() const { return table_.StepCount; }
    const std::vector<GridRowText>& cells() const { return cells_; }
    const OutFreqArray& outFreq() const { return outFreq_; }

    // ClearArray and an empty table; SortMode back to No Sort.
    void clear();
    // The buffer's frequencies, 180 s each, numbered 1..n; SortMode back to No Sort.
    BufferToTableResult fromBuffer(const FrequencyBuffer& buffer);
    std::expected<void, QString> insert(int position, bool after, QStringView frequencyText,
                                        QStringView timeText);
    std::expected<void, QString> remove(int step);
    void shiftTimes(int seconds);
    // Sort option 0 Low to High, 1 High to Low, 2 No Sort: the rows move whole and the arrays follow.
    bool sort(int mode);
    // Apply on the table read back from the cells; a bad cap changes nothing.
    std::expected<CapAndDuplicatesReport, QString> applyCap(QStringView capKHzText, bool removeDuplicates);
    // A program file's steps and sort mode.
    void load(const std::vector<ProgramStep>& steps, qint16 sortMode);
    // A generator's result replaces or reshapes the table. An error or an empty list changes nothing.
    Generated generate(const std::function<Generated(ProgramTable&)>& generator);
    Generated reshape(const std::function<Generated(ProgramTable&)>& generator);
    // Each calibration point for 15 s.
    void calibrationProgram();
    // "Take the table from the grid": the arrays from the cell texts.
    void takeFromGrid();
    // `text` was written into a cell (row from 0; column 0 No, 1 frequency, 2 time).
    void editCell(int row, int column, const QString& text);
    // Run: the table from the grid, then the frequencies the sound card is asked for.
    const OutFreqArray& prepareRun(const Calibration& calibration);

signals:
    void changed(sono::ProgramDocument::Change change);

private:
    // The cells as fgArrayToTable writes them (No from StepNo) or as DisplayGrid does (No 1..n).
    void showArrays(bool renumber);
    void finish(Change change);
    Generated runGenerator(const std::function<Generated(ProgramTable&)>& generator, Change change);

    GeneratorSettings& settings_;
    ProgramTable table_;
    std::vector<GridRowText> cells_;
    OutFreqArray outFreq_{};
};

} // namespace sono
