#include "core/enhancements/ProgramGenerators.h"

#include "core/common/NumberText.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace sono {

namespace {

constexpr qint16 NukeSeconds = 180;
constexpr qint16 AppendedSeconds = 180;
constexpr double Int32Min = std::numeric_limits<qint32>::min();
constexpr double Int32Max = std::numeric_limits<qint32>::max();

// "inf", "-Infinity", "nan": the leading-number parse reads these as 0, but a user who typed them meant a
// number the table cannot hold, so they are refused rather than quietly taken as nothing.
bool spellsNonFinite(QStringView text) {
    QStringView t = text.trimmed();
    if (t.startsWith(u'+') || t.startsWith(u'-')) t = t.mid(1);
    return t.startsWith(u"inf", Qt::CaseInsensitive) || t.startsWith(u"nan", Qt::CaseInsensitive);
}

// The leading number of a box (0 when the text does not begin with one); refused when it is not finite.
std::expected<double, QString> boxNumber(QStringView text, const QString& caption) {
    const LeadingNumber number = parseLeadingNumber(text);
    if (!std::isfinite(number.value) || (!number.found && spellsNonFinite(text)))
        return std::unexpected(QStringLiteral("%1 does not hold a usable number.").arg(caption));
    return number.value;
}

bool fitsSingle(double hz) {
    return std::fabs(hz) <= std::numeric_limits<float>::max();
}

QString tooLargeText(const QString& caption) {
    return QStringLiteral("%1 holds a frequency too large for the program table.").arg(caption);
}

size_t at(int i) {
    return static_cast<size_t>(i);
}

void renumber(ProgramTable& table) {
    for (int i = 1; i <= table.StepCount; ++i)
        table.StepNo[at(i)] = static_cast<qint16>(i);
}

// Checks a shift of the saved program by `offsetHz`, both ways when `bracket`, and appends it to the table.
Generated appendShifted(ProgramTable& table, const SavedProgram& saved, double offsetHz, bool bracket) {
    const int copies = bracket ? 2 : 1;
    const qint64 saveCount = static_cast<qint64>(saved.freq.size());
    if (table.StepCount + copies * saveCount > ProgramTable::MaxSteps)
        return std::unexpected(TooManyStepsText);
    for (const float hz : saved.freq) {
        if (!fitsSingle(hz + offsetHz) || !fitsSingle(hz - offsetHz))
            return std::unexpected(QStringLiteral("The shifted program would hold a frequency too large "
                                                  "for the program table."));
    }
    for (int copy = 0; copy < copies; ++copy) {
        const double shift = copy == 0 ? offsetHz : -offsetHz;
        for (const float hz : saved.freq) {
            ++table.StepCount;
            table.StepFreq[at(table.StepCount)] = static_cast<float>(hz + shift);
            table.StepTime[at(table.StepCount)] = AppendedSeconds;
        }
    }
    renumber(table);
    const QString name = bracket ? QStringLiteral("Bracket ") : QStringLiteral("Offset ");
    return QStringList{name + signedText(offsetHz, Precision::Double) + QStringLiteral(" added")};
}

std::expected<double, QString> offsetValue(QStringView value) {
    const auto number = boxNumber(value, QStringLiteral("The value box"));
    if (!number) return number;
    const double offsetHz = roundHalfEven(*number);
    if (offsetHz < Int32Min || offsetHz > Int32Max)
        return std::unexpected(QStringLiteral("The value must lie between -2147483648 and 2147483647."));
    return offsetHz;
}

// Seven steps spread 1 Hz apart (or the target alone) and the lines both Nuke'em windows share.
QStringList writeTarget(ProgramTable& table, GeneratorMemory& memory, double target, int spread) {
    clearProgram(table);
    memory.TargetFreq = target;
    int k = 0;
    for (int d = -spread; d <= spread; ++d) {
        ++k;
        table.StepFreq[at(k)] = static_cast<float>(target + d);
        table.StepTime[at(k)] = NukeSeconds;
        table.StepNo[at(k)] = static_cast<qint16>(k);
    }
    table.StepCount = static_cast<qint16>(k);
    return {QStringLiteral("Target Freq: ") + signedText(target, Precision::Double) + QStringLiteral("Hz"),
            QStringLiteral("Sweep:") + signedText(target - 3, Precision::Double) + QStringLiteral(" to") +
                signedText(target + 3, Precision::Double) + QStringLiteral("Hz")};
}

} // namespace

void clearProgram(ProgramTable& table) {
    for (int i = 1; i <= table.StepCount; ++i) {
        table.StepFreq[at(i)] = 0;
        table.StepTime[at(i)] = 0;
        table.StepNo[at(i)] = 0;
    }
    table.StepCount = 0;
}

Generated makeSweep(ProgramTable& table, QStringView start, QStringView stop, QStringView step,
                    QStringView time) {
    const std::array<QStringView, 4> texts{start, stop, step, time};
    const std::array<QString, 4> captions{QStringLiteral("Start Freq."), QStringLiteral("Stop Freq."),
                                          QStringLiteral("Step"), QStringLiteral("Time")};
    std::array<double, 4> values{};
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto number = boxNumber(texts[i], captions[i]);
        if (!number) return std::unexpected(number.error());
        values[i] = *number;
    }
    for (const double value : values) {
        if (value < 1) return std::unexpected(SweepValuesText);
    }
    const double first = roundHalfEven(values[0]);
    const double last = roundHalfEven(values[1]);
    if (first > Int32Max || last > Int32Max)
        return std::unexpected(QStringLiteral("Start Freq. and Stop Freq. must not be above 2147483647."));
    const auto stepHz = toInt16(values[2]);
    const auto seconds = toInt16(values[3]);
    if (!stepHz || !seconds) return std::unexpected(QStringLiteral("Step and Time must not be above 32767."));

    // Counted before anything is written: a sweep that does not fit is refused whole.
    const auto from = static_cast<qint64>(first);
    const auto to = static_cast<qint64>(last);
    const qint64 count = from > to ? 0 : (to - from) / *stepHz + 1;
    if (count > ProgramTable::MaxSteps) return std::unexpected(TooManyStepsText);

    clearProgram(table);
    for (int k = 1; k <= count; ++k) {
        table.StepFreq[at(k)] = static_cast<float>(from + (k - 1) * static_cast<qint64>(*stepHz));
        table.StepTime[at(k)] = *seconds;
        table.StepNo[at(k)] = static_cast<qint16>(k);
    }
    table.StepCount = static_cast<qint16>(count);
    return QStringList{QStringLiteral("Sweep"),
                       QStringLiteral("Start Hz: ") + signedText(first, Precision::Double),
                       QStringLiteral("Finish Hz: ") + signedText(last, Precision::Double),
                       QStringLiteral("Step Hz: ") + signedText(*stepHz, Precision::Double),
                       QStringLiteral("Time Sec: ") + signedText(*seconds, Precision::Double)};
}

Generated makeNuke(ProgramTable& table, GeneratorMemory& memory, QStringView target) {
    const QString caption = QStringLiteral("Enter Freq in Hz");
    const auto number = boxNumber(target, caption);
    if (!number) return std::unexpected(number.error());
    if (*number < 1) return QStringList{};
    if (!fitsSingle(*number + 3)) return std::unexpected(tooLargeText(caption));
    return QStringList{QStringLiteral("Nuke'em")} + writeTarget(table, memory, *number, 3);
}

Generated makeReallyNuke(ProgramTable& table, GeneratorMemory& memory, QStringView target) {
    const QString caption = QStringLiteral("Enter Freq in Hz");
    const auto number = boxNumber(target, caption);
    if (!number) return std::unexpected(number.error());
    if (*number < 5) return std::unexpected(ReallyNukeTooLowText);
    if (!fitsSingle(*number + 3)) return std::unexpected(tooLargeText(caption));
    return QStringList{QStringLiteral("Really NUKE'em")} + writeTarget(table, memory, *number, 0) +
           QStringList{QStringLiteral("Press <shift> <N> when"), QStringLiteral("  Freqgen is running.")};
}

SavedProgram saveProgram(const ProgramTable& table) {
    SavedProgram saved;
    for (int i = 1; i <= table.StepCount; ++i) {
        saved.freq.push_back(table.StepFreq[at(i)]);
        saved.time.push_back(table.StepTime[at(i)]);
    }
    return saved;
}

Generated octaveUp(ProgramTable& table) {
    for (int i = 1; i <= table.StepCount; ++i) {
        if (!fitsSingle(2.0 * table.StepFreq[at(i)]))
            return std::unexpected(QStringLiteral("An octave up would take a frequency beyond what the "
                                                  "program table holds."));
    }
    for (int i = 1; i <= table.StepCount; ++i)
        table.StepFreq[at(i)] += table.StepFreq[at(i)];
    renumber(table);
    return QStringList{QStringLiteral("Octave up 1")};
}

Generated octaveDown(ProgramTable& table) {
    for (int i = 1; i <= table.StepCount; ++i)
        table.StepFreq[at(i)] /= 2;
    renumber(table);
    return QStringList{QStringLiteral("Octave down 1")};
}

Generated restoreProgram(ProgramTable& table, const SavedProgram& saved) {
    table.StepCount = static_cast<qint16>(saved.freq.size());
    for (int i = 1; i <= table.StepCount; ++i) {
        table.StepFreq[at(i)] = saved.freq[at(i - 1)];
        table.StepTime[at(i)] = saved.time[at(i - 1)];
    }
    renumber(table);
    return QStringList{QStringLiteral("Program restored")};
}

Generated addOffset(ProgramTable& table, const SavedProgram& saved, QStringView value) {
    if (value.isEmpty()) return QStringList{};
    const auto offsetHz = offsetValue(value);
    if (!offsetHz) return std::unexpected(offsetHz.error());
    return appendShifted(table, saved, *offsetHz, false);
}

Generated addBracket(ProgramTable& table, const SavedProgram& saved, QStringView value) {
    const auto number = boxNumber(value, QStringLiteral("The value box"));
    if (!number) return std::unexpected(number.error());
    if (*number < 1) return QStringList{};
    const auto offsetHz = offsetValue(value);
    if (!offsetHz) return std::unexpected(offsetHz.error());
    return appendShifted(table, saved, *offsetHz, true);
}

Generated makeMeditation(ProgramTable& table, GeneratorMemory& memory, const std::array<QString, 7>& notes) {
    std::array<float, 7> hz{};
    for (size_t i = 0; i < notes.size(); ++i) {
        const auto number = boxNumber(notes[i], QStringLiteral("Note %1").arg(i + 1));
        if (!number) return std::unexpected(number.error());
        if (*number < 1) return std::unexpected(MeditationValuesText);
        if (!fitsSingle(*number)) return std::unexpected(tooLargeText(QStringLiteral("Note %1").arg(i + 1)));
        hz[i] = static_cast<float>(*number);
    }
    // Up the seven notes and back down without repeating the turning notes.
    constexpr std::array<int, 12> cycle{0, 1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1};
    for (int i = 1; i <= MeditationSteps; ++i) {
        table.StepFreq[at(i)] = hz[at(cycle[at((i - 1) % 12)])];
        table.StepTime[at(i)] = 1;
        table.StepNo[at(i)] = static_cast<qint16>(i);
    }
    table.StepCount = MeditationSteps;
    QStringList lines{QStringLiteral("CC-Meditation")};
    for (size_t i = 0; i < hz.size(); ++i) {
        memory.MeditationNote[i] = hz[i];
        lines << QStringLiteral("Freq: ") + signedText(static_cast<double>(i + 1)) + QStringLiteral(" =") +
                     signedText(hz[i]) + QStringLiteral("Hz");
    }
    return lines;
}

} // namespace sono
