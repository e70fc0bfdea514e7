#include "core/buffer/BufferOperations.h"

#include "core/common/NumberText.h"

#include <cmath>

namespace sono {

std::expected<void, QString> sendToBuffer(FrequencyBuffer& buffer, const FrequencyRecord& record,
                                          const QString& recordFreqText, bool clearFirst) {
    if (clearFirst) clearTheBuffer(buffer);
    if (buffer.BufferNext > FrequencyBuffer::Capacity)
        return std::unexpected(QStringLiteral("The buffer is full: it holds %1 frequency sets.\n\n"
                                              "Delete some or clear the buffer in View Buffer, then send "
                                              "this set again.")
                                   .arg(FrequencyBuffer::Capacity));
    BufferEntry& entry = buffer.entries[static_cast<size_t>(buffer.BufferNext)];
    entry = BufferEntry{};
    entry.Description = record.Description;
    entry.Comments =
        record.Comments && !record.Comments->isEmpty() ? *record.Comments : QStringLiteral("No Comment");
    entry.FrequencyText = recordFreqText;
    for (size_t j = 0; j < entry.Freq.size(); ++j) {
        const std::optional<double>& f = record.F[j];
        if (f && *f > 0) entry.Freq[j] = static_cast<float>(*f);
    }
    entry.SavedFreq = entry.Freq;
    ++buffer.BufferNext;
    return {};
}

std::expected<void, QString> deleteBufferEntry(FrequencyBuffer& buffer, int k) {
    const int n = buffer.BufferNext - 1;
    if (k < 1 || k > n) return std::unexpected(QStringLiteral("There is no buffer entry %1.").arg(k));
    for (int i = k; i < n; ++i)
        buffer.entries[static_cast<size_t>(i)] = std::move(buffer.entries[static_cast<size_t>(i) + 1]);
    buffer.entries[static_cast<size_t>(n)] = BufferEntry{};
    --buffer.BufferNext;
    return {};
}

QString frequencyText(const BufferEntry& entry) {
    QString text;
    const size_t slotCount = entry.Freq.size();
    for (size_t j = 0; j < slotCount && entry.Freq[j] > 0; ++j) {
        text += signedText(entry.Freq[j]);
        if (j + 1 < slotCount && entry.Freq[j + 1] > 0) text += QStringLiteral(", ");
    }
    return text;
}

QString reportTimeText(const QDateTime& now) {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QTime time = now.time();
    const QDate date = now.date();
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2 %3    %4, %5 %6")
        .arg(hour)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"))
        .arg(date.day())
        .arg(QString::fromLatin1(months[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QByteArray bufferReport(FrequencyBuffer& buffer, QStringView capKHzText, const QString& buildTitle,
                        const QDateTime& now) {
    const int n = buffer.BufferNext - 1;
    const float cap = static_cast<float>(leadingNumber(capKHzText) * 1000.0);
    buffer.BufferCapHz = std::isfinite(cap) && cap > 0 ? cap : 0.0f;
    if (buffer.BufferCapHz > 0) {
        for (int e = 1; e <= n; ++e) {
            BufferEntry& entry = buffer.entries[static_cast<size_t>(e)];
            for (float& f : entry.Freq) {
                while (std::isfinite(f) && f > buffer.BufferCapHz)
                    f /= 2;
            }
            entry.FrequencyText = frequencyText(entry);
        }
    }

    QStringList lines;
    lines << buildTitle + QStringLiteral(" : Frequency Selection   ") + reportTimeText(now);
    lines << QStringLiteral(" ");
    lines << (buffer.BufferCapHz > 0 ? QStringLiteral("Frequencies are Capped at : ") +
                                           signedText(buffer.BufferCapHz / 1000.0f) + QStringLiteral("kHz")
                                     : QStringLiteral("Frequencies are not Capped."));
    lines << QStringLiteral(" ") << QStringLiteral(" ");
    for (int e = 1; e <= n; ++e) {
        const BufferEntry& entry = buffer.entries[static_cast<size_t>(e)];
        lines << entry.Description << entry.Comments << QStringLiteral("Frequencies: ") + entry.FrequencyText
              << QStringLiteral(" ");
    }

    for (int e = 1; e <= n; ++e) {
        BufferEntry& entry = buffer.entries[static_cast<size_t>(e)];
        entry.Freq = entry.SavedFreq;
        entry.FrequencyText = frequencyText(entry);
    }

    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace sono
