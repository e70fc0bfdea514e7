#include "app/LogAndNotes.h"

#include "common/NumberText.h"
#include "common/QuotedFields.h"

namespace sono {

QByteArray logRecordBytes(const QDateTime& when, const QString& what) {
    QuotedFieldWriter writer;
    writer.text(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))).text(what).endLine();
    return writer.bytes();
}

LogContents parseLog(const QByteArray& bytes) {
    constexpr qsizetype Kept = 500;
    QuotedFieldReader reader(bytes);
    LogContents log;
    while (auto when = reader.next()) {
        const auto what = reader.next();
        ++log.count;
        log.when.append(when->text);
        log.what.append(what ? what->text : QString());
        if (log.when.size() > Kept) {
            log.when.removeFirst();
            log.what.removeFirst();
        }
    }
    return log;
}

QString logPaneText(const LogContents& log) {
    QString text;
    for (qsizetype i = log.what.size() - 1; i >= 0; --i) {
        if (!log.what[i].isEmpty()) text += log.when[i] + log.what[i] + u'\n';
    }
    return text;
}

QString logCaption(qint32 count) {
    return QStringLiteral("Log : ") + signedText(count) + QStringLiteral(" entries");
}

QByteArray notesFileBytes(const QString& notes) {
    QuotedFieldWriter writer;
    writer.text(notes).endLine();
    return writer.bytes();
}

std::expected<QString, QString> parseNotesFile(const QByteArray& bytes, const QString& fileName) {
    QuotedFieldReader reader(bytes);
    const auto field = reader.next();
    if (!field) return QString();
    if (!field->quoted)
        return std::unexpected(QStringLiteral("%1 does not hold notes in double quotes.").arg(fileName));
    return field->text;
}

} // namespace sono
