#include "core/tools/ResultsReport.h"

#include "core/database/RecordText.h"

#include "core/common/NumberText.h"

namespace sono {

// The report lists a set's frequencies exactly as the record display does.
QString MakeFreqStr(const FrequencyRecord& record) {
    return recordFreqText(record);
}

QString reportHeader(const QDateTime& when) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QTime time = when.time();
    const QDate date = when.date();
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QString clock = QStringLiteral("%1:%2 %3")
                              .arg(hour12)
                              .arg(time.minute(), 2, 10, QLatin1Char('0'))
                              .arg(time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm"));
    const QString day = QStringLiteral("%1,%2 %3")
                            .arg(date.day())
                            .arg(QString::fromLatin1(months[date.month() - 1]))
                            .arg(date.year(), 4, 10, QLatin1Char('0'));
    return QStringLiteral("Frequency Selection   ") + clock + QStringLiteral("   ") + day;
}

QByteArray resultsReportBytes(const FrequencyStore& records, const ReportOptions& options,
                              const QDateTime& when, const std::function<bool(int)>& progress) {
    QString out;
    const auto line = [&out](const QString& text) { out += text + QStringLiteral("\r\n"); };
    line(reportHeader(when));
    line(QStringLiteral(" "));
    for (int k = 0; k < records.count(); ++k) {
        if (progress && !progress(k + 1)) break;
        const FrequencyRecord& record = records.at(k);
        line(record.Description);
        if (options.comments) line(record.Comments.value_or(QStringLiteral("Null")));
        if (options.frequencies) {
            QString freqs = MakeFreqStr(record);
            if (freqs.isEmpty()) freqs = QStringLiteral("No Frequencies Listed - See Comments");
            line(QStringLiteral("Frequencies: ") + freqs);
        }
        if (options.blankLines) line(QStringLiteral(" "));
    }
    return out.toUtf8();
}

std::expected<QByteArray, QString> resultsReportBytes(const QString& databasePath, const SearchQuery& query,
                                                      const ReportOptions& options, const QDateTime& when,
                                                      const std::function<bool(int)>& progress) {
    FrequencyStore records;
    auto opened = records.open(databasePath);
    if (opened) opened = records.refresh(query);
    if (!opened) return std::unexpected(opened.error());
    return resultsReportBytes(records, options, when, progress);
}

} // namespace sono
