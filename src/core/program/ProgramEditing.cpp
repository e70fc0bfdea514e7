#include "core/program/ProgramEditing.h"

#include "core/common/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sono {

qint16 clampToInt16(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = roundHalfEven(std::clamp(value, -32768.0, 32767.0));
    return static_cast<qint16>(rounded);
}

float cellFrequency(QStringView text) {
    const float value = static_cast<float>(leadingNumber(text));
    return std::isfinite(value) ? value : 0.0f;
}

qint16 cellTime(QStringView text) {
    return clampToInt16(leadingNumber(text));
}

std::expected<void, QString> checkCellRange(QStringView text, int column) {
    const double value = leadingNumber(text);
    if (column == 2) {
        if (!toInt16(value)) return std::unexpected(TimeLimitText);
    } else if (!std::isfinite(static_cast<float>(value))) {
        return std::unexpected(FrequencyLimitText);
    }
    return {};
}

void takeTableFromCells(const std::vector<GridRowText>& rows, ProgramTable& table) {
    const int n = static_cast<int>(std::min<size_t>(rows.size(), ProgramTable::MaxSteps));
    table.StepFreq.fill(0);
    table.StepTime.fill(0);
    table.StepCount = static_cast<qint16>(n);
    for (int i = 1; i <= n; ++i) {
        const GridRowText& row = rows[static_cast<size_t>(i - 1)];
        const auto k = static_cast<size_t>(i);
        table.StepNo[k] = cellTime(row[0]);
        table.StepFreq[k] = cellFrequency(row[1]);
        table.StepTime[k] = cellTime(row[2]);
    }
}

void sortRows(std::vector<GridRowText>& rows, int mode) {
    // Keys are read once: 2000 rows would otherwise parse each cell about 20 times.
    struct Keyed {
        double key;
        size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(rows.size());
    const int column = mode == 2 ? 0 : 1;
    for (size_t i = 0; i < rows.size(); ++i) {
        double key = leadingNumber(rows[i][static_cast<size_t>(column)]);
        if (std::isnan(key)) key = 0;
        keyed.push_back({key, i});
    }
    if (mode == 1)
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const Keyed& a, const Keyed& b) { return a.key > b.key; });
    else
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<GridRowText> sorted;
    sorted.reserve(rows.size());
    for (const Keyed& k : keyed)
        sorted.push_back(std::move(rows[k.index]));
    rows = std::move(sorted);
}

BufferToTableResult bufferToTable(const FrequencyBuffer& buffer, ProgramTable& table) {
    BufferToTableResult result;
    int count = 0;
    for (int e = 1; e < buffer.BufferNext && !result.truncated; ++e) {
        for (float f : buffer.entries[static_cast<size_t>(e)].Freq) {
            if (f == 0) break;
            if (count == ProgramTable::MaxSteps) {
                result.truncated = true;
                break;
            }
            ++count;
            table.StepFreq[static_cast<size_t>(count)] = f;
            table.StepTime[static_cast<size_t>(count)] = BufferStepTime;
        }
    }
    table.StepCount = static_cast<qint16>(count);
    return result;
}

std::expected<void, QString> insertStep(ProgramTable& table, int position, bool after,
                                        QStringView frequencyText, QStringView timeText) {
    if (frequencyText.trimmed().isEmpty() || timeText.trimmed().isEmpty())
        return std::unexpected(QStringLiteral("Both Frequency and Time inputs require data!"));
    if (table.StepCount >= ProgramTable::MaxSteps) return std::unexpected(TooManyStepsText);
    const std::optional<double> freq = parseWholeNumber(frequencyText);
    const float frequency = freq ? static_cast<float>(*freq) : 0.0f;
    if (!freq || !std::isfinite(frequency)) return std::unexpected(FrequencyLimitText);
    const std::optional<double> seconds = parseWholeNumber(timeText);
    const std::optional<qint16> time = seconds ? toInt16(*seconds) : std::nullopt;
    if (!time) return std::unexpected(TimeLimitText);

    const int n = table.StepCount + 1;
    int at = 1;
    if (n > 1) {
        const int p = std::clamp(position, 1, n - 1);
        at = after ? p + 1 : p;
        for (int i = n; i > at; --i) {
            table.StepFreq[static_cast<size_t>(i)] = table.StepFreq[static_cast<size_t>(i - 1)];
            table.StepTime[static_cast<size_t>(i)] = table.StepTime[static_cast<size_t>(i - 1)];
        }
    }
    table.StepFreq[static_cast<size_t>(at)] = frequency;
    table.StepTime[static_cast<size_t>(at)] = *time;
    table.StepCount = static_cast<qint16>(n);
    return {};
}

std::expected<void, QString> deleteStep(ProgramTable& table, int row) {
    const int n = table.StepCount;
    if (row < 1 || row > n) return std::unexpected(QStringLiteral("There is no step %1 to delete.").arg(row));
    for (int i = row; i < n; ++i) {
        table.StepFreq[static_cast<size_t>(i)] = table.StepFreq[static_cast<size_t>(i) + 1];
        table.StepTime[static_cast<size_t>(i)] = table.StepTime[static_cast<size_t>(i) + 1];
    }
    table.StepCount = static_cast<qint16>(n - 1);
    return {};
}

void shiftAllTimes(ProgramTable& table, int seconds) {
    for (int i = 1; i <= table.StepCount; ++i) {
        qint16& time = table.StepTime[static_cast<size_t>(i)];
        time = clampToInt16(static_cast<double>(time) + seconds);
    }
}

double steppedValue(QStringView text, int column, int delta) {
    double value = leadingNumber(text);
    if (!std::isfinite(value)) value = 0;
    if (column == 2) return clampToInt16(value + delta);
    const double stepped = static_cast<float>(std::max(0.0, value + delta));
    return std::isfinite(stepped) ? stepped : value;
}

} // namespace sono
