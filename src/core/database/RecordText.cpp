#include "core/database/RecordText.h"

#include "core/common/NumberText.h"

namespace sono {

QString recordFreqText(const FrequencyRecord& record) {
    QString text;
    for (size_t slot = 0; slot < record.F.size(); ++slot) {
        const double value = record.F[slot].value_or(0.0);
        if (!(value > 0)) continue;
        if (slot > 0) text += QStringLiteral(", ");
        text += signedText(value);
    }
    return text;
}

QString commentsText(const FrequencyRecord& record) {
    if (!record.Comments || record.Comments->isEmpty()) return NoCommentsText;
    return *record.Comments;
}

QString slotEditText(const std::optional<double>& value) {
    if (!value) return QStringLiteral("0");
    // Full double precision, so that saving an unchanged slot keeps the stored value.
    return shortestText(*value, Precision::Double);
}

} // namespace sono
