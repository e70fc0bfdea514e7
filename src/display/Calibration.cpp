#include "display/Calibration.h"

#include "common/NumberText.h"
#include "common/QuotedFields.h"

#include <cmath>

namespace sono {

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
        if (!value || (k < 26 && (*value <= 0 || *value > 1e6)) || (k == 26 && *value != 0 && *value != 1))
            return std::unexpected(QStringLiteral("%1, line %2: \"%3\" is not a valid %4.")
                                       .arg(fileName)
                                       .arg(field->line)
                                       .arg(field->text, k < 26 ? QStringLiteral("frequency")
                                                                : QStringLiteral("switch (0 or 1)")));
        if (k < 26)
            result.CalTable[static_cast<size_t>(k)] = static_cast<float>(*value);
        else
            result.CalibrationOn = static_cast<qint16>(*value);
    }
    return result;
}

} // namespace sono
