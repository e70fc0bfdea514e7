#include "core/database/RecordEdit.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "core/database/RecordText.h"

namespace sono {

std::expected<FrequencyRecord, UserMessage>
recordFromEditor(const QString& description, const QString& comments, const QStringList& slotTexts) {
    if (description.isEmpty())
        return std::unexpected(
            UserMessage{QStringLiteral("You need to enter information in the Description Box."),
                        QStringLiteral("No Data In Description")});
    FrequencyRecord record;
    record.Description = description;
    record.Comments = comments.isEmpty() ? NoCommentsText : comments;
    for (qsizetype slot = 0; slot < 40; ++slot) {
        const QString text = slot < slotTexts.size() ? slotTexts[slot] : QString();
        if (text.isEmpty()) {
            record.F[static_cast<size_t>(slot)] = 0.0;
            continue;
        }
        const auto value = parseWholeNumber(text);
        if (!value)
            return std::unexpected(UserMessage{
                QStringLiteral("F%1 holds \"%2\", which is not a number. Enter a frequency in hertz, or 0 "
                               "for an empty slot.")
                    .arg(slot + 1)
                    .arg(quotedInMessage(text)),
                QStringLiteral("Not A Number")});
        record.F[static_cast<size_t>(slot)] = value;
    }
    return record;
}

} // namespace sono
