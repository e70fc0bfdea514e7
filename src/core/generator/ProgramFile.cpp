#include "core/generator/ProgramFile.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "core/generator/FreqgenArgs.h"
#include "core/program/ProgramTable.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace sono {

namespace {

// The header lines in file order. A volume or the gating passes the checks of its box; the phase is the
// one line with neither member; every other line is a whole number from 0 to `max`.
struct HeaderLine {
    const char* what;
    QString ProgramSettings::*volume = nullptr;
    qint16 ProgramSettings::*whole = nullptr;
    qint16 max = 1;
};
const HeaderLine headerLines[] = {
    {"left volume", &ProgramSettings::VolLeft},
    {"right volume", &ProgramSettings::VolRight},
    {"left channel switch", nullptr, &ProgramSettings::LeftOn},
    {"right channel switch", nullptr, &ProgramSettings::RightOn},
    {"extended hardware switch", nullptr, &ProgramSettings::ExtendedHardware},
    {"wave form", nullptr, &ProgramSettings::WaveType, 3},
    {"phase"},
    {"gating", nullptr, &ProgramSettings::Gating, MaxGating},
    {"sort option", nullptr, &ProgramSettings::SortMode, 2},
    {"L=R switch", nullptr, &ProgramSettings::LeftEqualsRight},
    {"report switch", nullptr, &ProgramSettings::RecordSession},
};

QString lineError(const QString& fileName, int line, const QString& what) {
    return QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(what);
}

} // namespace

QByteArray programFileBytes(const ProgramFileData& program) {
    const ProgramSettings& h = program.header;
    QuotedFieldWriter w;
    for (const HeaderLine& line : headerLines) {
        if (line.volume)
            w.text(h.*line.volume);
        else
            w.bare(line.whole ? QString::number(h.*line.whole) : shortestText(h.Phase, Precision::Single));
        w.endLine();
    }
    for (const ProgramStep& step : program.steps) {
        w.bare(QString::number(step.no));
        w.bare(shortestText(step.freq, Precision::Single));
        w.bare(QString::number(step.time)).endLine();
    }
    return w.bytes();
}

std::expected<ProgramFileData, QString> parseProgramFile(const QByteArray& bytes, const QString& fileName,
                                                         ProgramRead mode) {
    QuotedFieldReader reader(bytes);
    ProgramFileData program;
    ProgramSettings& h = program.header;

    int linesRead = 0;
    for (const HeaderLine& line : headerLines) {
        const auto field = reader.next();
        if (!field)
            return std::unexpected(
                QStringLiteral("%1 is not a program file: its header ends after %2 of 11 lines.")
                    .arg(fileName)
                    .arg(linesRead));
        ++linesRead;
        // These values reach the generator's command line, so they pass the checks of their boxes.
        const auto checked = [&](const QString& problem, const QString& fallback) -> std::optional<QString> {
            QString where = lineError(fileName, field->line, problem);
            if (mode == ProgramRead::Load) return where;
            program.notice +=
                where + QStringLiteral(" Sono uses %1 instead; the file is left as it is.\n").arg(fallback);
            return std::nullopt;
        };
        if (line.volume) {
            QString& volume = h.*line.volume;
            if (const auto valid = parseVolumeText(field->text))
                volume = field->text;
            else if (const auto refused = checked(valid.error(), volume))
                return std::unexpected(*refused);
            continue;
        }
        if (line.whole == &ProgramSettings::Gating) {
            if (const auto gating = parseGatingText(field->text))
                h.Gating = *gating;
            else if (const auto refused = checked(gating.error(), QString::number(h.Gating)))
                return std::unexpected(*refused);
            continue;
        }
        const auto value = parseWholeNumber(field->text);
        const auto whole = value ? toInt16(*value) : std::nullopt;
        const bool valid = line.whole ? whole && *whole == *value && *whole >= 0 && *whole <= line.max
                                      : value && std::fabs(*value) <= 1e6;
        if (!valid)
            return std::unexpected(
                lineError(fileName, field->line,
                          QStringLiteral("\"%1\" is not a valid %2.")
                              .arg(quotedInMessage(field->text), QLatin1String(line.what))));
        if (line.whole)
            h.*line.whole = *whole;
        else
            h.Phase = static_cast<float>(*value);
    }

    while (auto first = reader.next()) {
        const int line = first->line;
        const auto second = reader.next();
        const auto third = second ? reader.next() : std::nullopt;
        if (!second || !third || second->line != line || third->line != line)
            return std::unexpected(
                lineError(fileName, line, QStringLiteral("a step needs number, frequency and time.")));
        const auto no = parseWholeNumber(first->text);
        const auto freq = parseWholeNumber(second->text);
        const auto time = parseWholeNumber(third->text);
        const auto no16 = no ? toInt16(*no) : std::nullopt;
        const auto time16 = time ? toInt16(*time) : std::nullopt;
        if (!no16 || !freq || std::fabs(*freq) > 3.0e38 || !time16)
            return std::unexpected(
                lineError(fileName, line,
                          QStringLiteral("\"%1,%2,%3\" is not a valid step.")
                              .arg(quotedInMessage(first->text), quotedInMessage(second->text),
                                   quotedInMessage(third->text))));
        if (program.steps.size() == ProgramTable::MaxSteps) {
            if (mode == ProgramRead::Load)
                return std::unexpected(
                    lineError(fileName, line, QStringLiteral("the program has more than 2000 steps.")));
            ++program.stepsLeftOut;
            continue;
        }
        program.steps.push_back({*no16, static_cast<float>(*freq), *time16});
    }
    return program;
}

ProgramFileData programFromState(const GeneratorSettings& settings, const ProgramTable& table) {
    ProgramFileData program;
    program.header = settings;
    const int count = std::clamp<int>(table.StepCount, 0, ProgramTable::MaxSteps);
    for (int i = 1; i <= count; ++i) {
        const auto k = static_cast<size_t>(i);
        program.steps.push_back({table.StepNo[k], table.StepFreq[k], table.StepTime[k]});
    }
    return program;
}

QStringList savedProgramNames(const QString& folder, int limit) {
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Readable);
    QStringList names;
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        if (name.size() > 4 && name.endsWith(QStringLiteral(".prg"), Qt::CaseInsensitive))
            names.append(name.left(name.size() - 4));
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    if (limit >= 0 && names.size() > limit) names.resize(limit);
    return names;
}

} // namespace sono
