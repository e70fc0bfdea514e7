#pragma once

#include "core/buffer/FrequencyBuffer.h"
#include "core/database/FrequencyStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <expected>

namespace sono {

// Stores a record as the next buffer entry; `recordFreqText` is the text the record display built for
// it. With `clearFirst` the buffer is emptied before. A full buffer refuses the set and stays as it was.
std::expected<void, QString> sendToBuffer(FrequencyBuffer& buffer, const FrequencyRecord& record,
                                          const QString& recordFreqText, bool clearFirst);

// Removes entry k (1-based); the later entries move up one place, whole.
std::expected<void, QString> deleteBufferEntry(FrequencyBuffer& buffer, int k);

// The entry's slots in signed text form joined by ", ", up to its first empty slot.
QString frequencyText(const BufferEntry& entry);

// The print preview report (freq.txt, CR LF lines). A cap above 0 kHz folds every frequency above it by
// halving, for the report only: afterwards every entry holds its frequencies as sent again, and every
// FrequencyText is in the rebuilt form.
QByteArray bufferReport(FrequencyBuffer& buffer, QStringView capKHzText, const QString& buildTitle,
                        const QDateTime& now);

// "3:07 pm    5, Dec 2026" as the report's first line shows the time and date.
QString reportTimeText(const QDateTime& now);

} // namespace sono
