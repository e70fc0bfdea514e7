#include "core/generator/ProgramFile.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "core/generator/FreqgenArgs.h"
#include "core/generator/GeneratorSettings.h"
#include "core/program/ProgramTable.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace sono {

QByteArray programFileBytes(const ProgramFileData& program) {
    const ProgramHeader& h = program.header;
    QuotedFieldWriter w;
    w.text(h.VolLeft).endLine().text(h.VolRight).endLine();
    w.bare(QString::number(h.LeftOn)).endLine().bare(QString::number(h.RightOn)).endLine();
    w.bare(QString::number(h.ExtendedHardware)).endLine().bare(QString::number(h.WaveType)).endLine();
    w.bare(shortestText(h.Phase, Precision::Single)).endLine();
    w.bare(QString::number(h.Gating)).endLine().bare(QString::number(h.SortMode)).endLine();
    w.bare(QString::number(h.LeftEqualsRight)).endLine().bare(QString::number(h.RecordSession)).endLine();
    for (const ProgramStep& step : program.steps) {
        w.bare(QString::number(step.no));
        w.bare(shortestText(step.freq, Precision::Single));
        w.bare(QString::number(step.time)).endLine();
    }
    return w.bytes();
}

namespace {

QString lineError(const QString& fileName, int line, const QString& what) {
    return QStringLiteral("%1, line %2: %3").arg(fileName).arg(line).arg(what);
}

} // namespace

std::expected<ProgramFileData, QString> parseProgramFile(const QByteArray& bytes, const QString& fileName,
                                                         ProgramRead mode) {
    QuotedFieldReader reader(bytes);
    ProgramFileData program;
    ProgramHeader& h = program.header;

    static const char* const names[11] = {"left volume",
                                          "right volume",
                                          "left channel switch",
                                          "right channel switch",
                                          "extended hardware switch",
                                          "wave form",
                                          "phase",
                                          "gating",
                                          "sort option",
                                          "L=R switch",
                                          "report switch"};
    for (int k = 0; k < 11; ++k) {
        const auto field = reader.next();
        if (!field)
            return std::unexpected(
                QStringLiteral("%1 is not a program file: its header ends after %2 of 11 lines.")
                    .arg(fileName)
                    .arg(k));
        const QString what = QString::fromLatin1(names[k]);
        // These values reach the generator's command line, so they pass the checks of their boxes.
        const auto checked = [&](const QString& problem, const QString& fallback) -> std::optional<QString> {
            const QString where = lineError(fileName, field->line, problem);
            if (mode == ProgramRead::Load) return where;
            program.notice +=
                where + QStringLiteral(" Sono uses %1 instead; the file is left as it is.\n").arg(fallback);
            return std::nullopt;
        };
        if (k < 2) {
            QString& volume = k == 0 ? h.VolLeft : h.VolRight;
            if (const auto valid = parseVolumeText(field->text)) {
                volume = field->text;
            } else if (const auto refused = checked(valid.error(), volume)) {
                return std::unexpected(*refused);
            }
            continue;
        }
        if (k == 7) {
            if (const auto gating = parseGatingText(field->text))
                h.Gating = *gating;
            else if (const auto refused = checked(gating.error(), QString::number(h.Gating)))
                return std::unexpected(*refused);
            continue;
        }
        const auto value = parseWholeNumber(field->text);
        auto bad = [&] {
            return std::unexpected(lineError(
                fileName, field->line,
                QStringLiteral("\"%1\" is not a valid %2.").arg(quotedInMessage(field->text), what)));
        };
        if (!value) return bad();
        if (k == 6) {
            if (std::fabs(*value) > 1e6) return bad();
            h.Phase = static_cast<float>(*value);
            continue;
        }
        const auto whole = toInt16(*value);
        if (!whole || *whole != *value) return bad();
        const qint16 v = *whole;
        const bool isSwitch = k == 2 || k == 3 || k == 4 || k == 9 || k == 10;
        if ((isSwitch && v != 0 && v != 1) || (k == 5 && (v < 0 || v > 3)) || (k == 8 && (v < 0 || v > 2)))
            return bad();
        switch (k) {
        case 2:
            h.LeftOn = v;
            break;
        case 3:
            h.RightOn = v;
            break;
        case 4:
            h.ExtendedHardware = v;
            break;
        case 5:
            h.WaveType = v;
            break;
        case 8:
            h.SortMode = v;
            break;
        case 9:
            h.LeftEqualsRight = v;
            break;
        default:
            h.RecordSession = v;
            break;
        }
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

ProgramFileData programFromState(const GeneratorSettings& g, const ProgramTable& table) {
    ProgramFileData program;
    ProgramHeader& h = program.header;
    h.VolLeft = g.VolLeft;
    h.VolRight = g.VolRight;
    h.LeftOn = g.LeftOn;
    h.RightOn = g.RightOn;
    h.ExtendedHardware = g.ExtendedHardware;
    h.WaveType = g.WaveType;
    h.Phase = g.Phase;
    h.Gating = g.Gating;
    h.SortMode = g.SortMode;
    h.LeftEqualsRight = g.LeftEqualsRight;
    h.RecordSession = g.RecordSession;
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
