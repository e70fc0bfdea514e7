#pragma once

#include "core/generator/GeneratorSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <expected>
#include <vector>

namespace sono {

struct ProgramStep {
    qint16 no = 0;
    float freq = 0;
    qint16 time = 0;
};

struct ProgramFileData {
    ProgramSettings header; // lines 1 to 11
    std::vector<ProgramStep> steps;
    // What was read differently from the file (BadSetting::UseDefault), for the user; empty otherwise.
    QString notice;
    int stepsLeftOut = 0; // steps after the 2000th, checked but not kept (ProgramRead::Startup)
};

// The whole file: header lines, then "no,freq,time" per step; CR LF line ends.
QByteArray programFileBytes(const ProgramFileData& program);

// The volumes and the gating rate of a file pass the same checks as their boxes. Load refuses a file
// that fails them or holds more than 2000 steps; start-up keeps what it can: the default value in place
// of a bad setting (said in `notice`) and the first 2000 steps (the rest counted in `stepsLeftOut`).
enum class ProgramRead { Load, Startup };

// Reads and checks the whole file before anything is applied: a short or malformed header, a bad step
// line or (on Load) more than 2000 steps gives a message naming the file and the line.
std::expected<ProgramFileData, QString> parseProgramFile(const QByteArray& bytes, const QString& fileName,
                                                         ProgramRead mode = ProgramRead::Load);

// The program written when default.prg is missing: both channels at 0.5, session recording on, no steps.
inline ProgramFileData defaultProgram() {
    return ProgramFileData{};
}

struct ProgramTable;

// What Save writes: the settings as the last option-string build left them, and steps 1..StepCount.
ProgramFileData programFromState(const GeneratorSettings& settings, const ProgramTable& table);

// The saved programs in a folder (files ending ".prg" whatever their case), without the extension,
// sorted by name; at most `limit` of them.
QStringList savedProgramNames(const QString& folder, int limit = -1);

} // namespace sono
