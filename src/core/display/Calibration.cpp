#include "core/display/Calibration.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "core/program/ProgramTable.h"

#include <cmath>

namespace sono {

namespace {

// The table holds single precision: a value that is positive as typed may still be 0 there (1e-50), and
// the file saved from it would not load again.
bool isMeasuredFrequency(double value) {
    const float stored = static_cast<float>(value);
    return value <= 1e6 && std::isnormal(stored) && stored > 0;
}

} // namespace

QByteArray calibrationFileBytes(const Calibration& calibration) {
    QuotedFieldWriter writer;
    for (float value : calibration.CalTable)
        writer.bare(shortestText(value, Precision::Single)).endLine();
    writer.bare(QString::number(calibration.CalibrationOn)).endLine();
    return writer.bytes();
}

std::expected<Calibration, QString> parseCalibrationFile(const QByteArray& bytes, const QString& fileName) {
    QuotedFieldReader reader(bytes);
    Calibration result;
    for (int k = 0; k < 27; ++k) {
        const auto field = reader.next();
        if (!field)
            return std::unexpected(
                QStringLiteral("%1 ends after %2 values; it needs 26 measured frequencies and the on/off "
                               "switch.")
                    .arg(fileName)
                    .arg(k));
        const auto value = parseWholeNumber(field->text);
        if (!value || (k < 26 && !isMeasuredFrequency(*value)) || (k == 26 && *value != 0 && *value != 1))
            return std::unexpected(
                QStringLiteral("%1, line %2: \"%3\" is not a valid %4.")
                    .arg(fileName)
                    .arg(field->line)
                    .arg(quotedInMessage(field->text),
                         k < 26 ? QStringLiteral("frequency") : QStringLiteral("switch (0 or 1)")));
        if (k < 26)
            result.CalTable[static_cast<size_t>(k)] = static_cast<float>(*value);
        else
            result.CalibrationOn = static_cast<qint16>(*value);
    }
    return result;
}

QString calibrationDifferenceText(int index, const QString& typed) {
    const double point = Calibration::Breakpoints[static_cast<size_t>(index)];
    return formatPattern(point - leadingNumber(typed), u"#,##0.000");
}

QString calibrationPointName(int index) {
    const double point = Calibration::Breakpoints[static_cast<size_t>(index)];
    if (point < 1000) return shortestText(point) + QStringLiteral("Hz");
    return QString::number(point / 1000) + QStringLiteral("kHz");
}

std::expected<Calibration, QString> calibrationFromTexts(const QStringList& typed, bool activate) {
    Calibration result;
    for (int i = 0; i < 26 && i < typed.size(); ++i) {
        const double value = leadingNumber(typed[i]);
        if (!isMeasuredFrequency(value))
            return std::unexpected(
                QStringLiteral("The %1 box holds \"%2\", which is not a measured frequency. Type the "
                               "frequency your counter showed (in Hz); nothing was saved.")
                    .arg(calibrationPointName(i), quotedInMessage(typed[i])));
        result.CalTable[static_cast<size_t>(i)] = static_cast<float>(value);
    }
    result.CalibrationOn = activate ? 1 : 0;
    return result;
}

void fillCalibrationProgram(ProgramTable& table) {
    for (size_t k = 0; k < Calibration::Breakpoints.size(); ++k) {
        table.StepNo[k + 1] = static_cast<qint16>(k + 1);
        table.StepFreq[k + 1] = Calibration::Breakpoints[k];
        table.StepTime[k + 1] = 15;
    }
    table.StepCount = static_cast<qint16>(Calibration::Breakpoints.size());
}

} // namespace sono
