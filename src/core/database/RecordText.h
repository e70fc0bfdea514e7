#pragma once

#include "core/database/FrequencyStore.h"

#include <QString>

namespace sono {

inline const QString NoCommentsText = QStringLiteral("No Comments");

// RecordFreqText: the used slots (above 0) as one comma list, each value in signed text form
// (" 528,  727"). The separator goes before every used slot from F2 on, even when F1 is empty.
QString recordFreqText(const FrequencyRecord& record);

// The comments as shown: the text, or "No Comments" when it is empty or null.
QString commentsText(const FrequencyRecord& record);

// A slot as the record editor shows it: the plain shortest form ("528", "7.83"), "0" when missing.
QString slotEditText(const std::optional<double>& value);

} // namespace sono
