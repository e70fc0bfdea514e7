#include "core/program/ProgramDocument.h"

#include "core/common/NumberText.h"
#include "core/generator/ProgramFile.h"

namespace sono {

ProgramDocument::ProgramDocument(GeneratorSettings& settings) : settings_(settings) {}

void ProgramDocument::showArrays(bool renumber) {
    const int n = std::min<int>(table_.StepCount, ProgramTable::MaxSteps);
    cells_.resize(static_cast<size_t>(std::max(n, 0)));
    for (int i = 1; i <= n; ++i) {
        const auto k = static_cast<size_t>(i);
        cells_[k - 1] = {QString::number(renumber ? i : table_.StepNo[k]), shortestText(table_.StepFreq[k]),
                         QString::number(table_.StepTime[k])};
    }
}

void ProgramDocument::finish(Change change) {
    float total = 0;
    for (int i = 1; i <= table_.StepCount; ++i)
        total += table_.StepTime[static_cast<size_t>(i)];
    table_.TotalTime = total;
    emit changed(change);
}

void ProgramDocument::clear() {
    clearProgram(table_);
    cells_.clear();
    settings_.SortMode = 2;
    finish(Change::Cleared);
}

BufferToTableResult ProgramDocument::fromBuffer(const FrequencyBuffer& buffer) {
    const BufferToTableResult result = bufferToTable(buffer, table_);
    // Numbered 1..n in the grid, then No Sort reads the numbers back into the arrays.
    showArrays(true);
    takeTableFromCells(cells_, table_);
    settings_.SortMode = 2;
    finish(Change::FromBuffer);
    return result;
}

std::expected<void, QString> ProgramDocument::insert(int position, bool after, QStringView frequencyText,
                                                     QStringView timeText) {
    auto inserted = insertStep(table_, position, after, frequencyText, timeText);
    if (!inserted) return inserted;
    showArrays(true);
    finish(Change::Inserted);
    return {};
}

std::expected<void, QString> ProgramDocument::remove(int step) {
    auto deleted = deleteStep(table_, step);
    if (!deleted) return deleted;
    showArrays(true);
    finish(Change::Deleted);
    return {};
}

void ProgramDocument::shiftTimes(int seconds) {
    shiftAllTimes(table_, seconds);
    showArrays(true);
    finish(Change::TimesShifted);
}

bool ProgramDocument::sort(int mode) {
    if (mode < 0 || mode > 2) return false;
    settings_.SortMode = static_cast<qint16>(mode);
    sortRows(cells_, mode);
    takeTableFromCells(cells_, table_);
    finish(Change::Sorted);
    return true;
}

std::expected<CapAndDuplicatesReport, QString> ProgramDocument::applyCap(QStringView capKHzText,
                                                                         bool removeDuplicates) {
    // Typed cells count; a refused cap leaves even the arrays as they were.
    ProgramTable table = table_;
    takeTableFromCells(cells_, table);
    auto report = capAndRemoveDuplicates(table, capKHzText, removeDuplicates);
    if (!report) return report;
    table_ = table;
    showArrays(true);
    finish(Change::Capped);
    return report;
}

void ProgramDocument::load(const std::vector<ProgramStep>& steps, qint16 sortMode) {
    settings_.SortMode = sortMode;
    const size_t n = std::min<size_t>(steps.size(), ProgramTable::MaxSteps);
    table_.StepCount = static_cast<qint16>(n);
    for (size_t i = 0; i < n; ++i) {
        table_.StepNo[i + 1] = steps[i].no;
        table_.StepFreq[i + 1] = steps[i].freq;
        table_.StepTime[i + 1] = steps[i].time;
    }
    showArrays(false);
    finish(Change::Loaded);
}

Generated ProgramDocument::generate(const std::function<Generated(ProgramTable&)>& generator) {
    return runGenerator(generator, Change::Generated);
}

Generated ProgramDocument::reshape(const std::function<Generated(ProgramTable&)>& generator) {
    return runGenerator(generator, Change::Reshaped);
}

Generated ProgramDocument::runGenerator(const std::function<Generated(ProgramTable&)>& generator,
                                        Change change) {
    Generated result = generator(table_);
    if (result && !result->isEmpty()) {
        showArrays(false);
        finish(change);
    }
    return result;
}

void ProgramDocument::calibrationProgram() {
    fillCalibrationProgram(table_);
    showArrays(false);
    finish(Change::Reshaped);
}

void ProgramDocument::takeFromGrid() {
    takeTableFromCells(cells_, table_);
    finish(Change::TakenFromGrid);
}

void ProgramDocument::editCell(int row, int column, const QString& text) {
    if (row < 0 || row >= static_cast<int>(cells_.size()) || column < 0 || column > 2) return;
    cells_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
    const auto k = static_cast<size_t>(row) + 1;
    if (column == 0)
        table_.StepNo[k] = cellTime(text);
    else if (column == 1)
        table_.StepFreq[k] = cellFrequency(text);
    else
        table_.StepTime[k] = cellTime(text);
    finish(Change::CellEdited);
}

const OutFreqArray& ProgramDocument::prepareRun(const Calibration& calibration) {
    takeTableFromCells(cells_, table_);
    computeOutFreq(table_, calibration, outFreq_);
    finish(Change::TakenFromGrid);
    return outFreq_;
}

} // namespace sono
