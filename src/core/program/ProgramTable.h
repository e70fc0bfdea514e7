#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace sono {

// The message every path that would pass 2000 steps shows, spelled as users have always seen it.
inline const QString TooManyStepsText = QStringLiteral("Too may frequencies, 2000 limit");

// The timed program: three parallel arrays with steps at 1..StepCount (index 0 is never used).
// Entries above StepCount may hold stale values; only 1..StepCount is meaningful.
struct ProgramTable {
    static constexpr int MaxSteps = 2000;

    std::array<float, MaxSteps + 1> StepFreq{};
    std::array<qint16, MaxSteps + 1> StepTime{};
    std::array<qint16, MaxSteps + 1> StepNo{};
    qint16 StepCount = 0;
    float TotalTime = 0;
};

} // namespace sono
