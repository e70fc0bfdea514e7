#include "core/app/LogAndNotes.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"

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

namespace {

QString withLfBreaks(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

EncodedText notesFileBytes(const QString& notes, TextEncoding encoding) {
    QuotedFieldWriter writer;
    writer.text(withLfBreaks(notes).replace(u'\n', QStringLiteral("\r\n"))).endLine();
    return encodeText(QString::fromUtf8(writer.bytes()), encoding);
}

NotesFile parseNotesFile(const QByteArray& bytes) {
    const DecodedText decoded = decodeText(bytes);
    NotesFile notes{{}, decoded.encoding, true};
    const QString whole = withLfBreaks(decoded.text);
    if (whole.trimmed().isEmpty()) return notes;
    const auto field = QuotedFieldReader(whole.toUtf8()).next();
    if (field && field->quoted) {
        // Clean when writing the text back gives the file again (line ends and outer blanks aside).
        const QString again = QString::fromUtf8(notesFileBytes(field->text).bytes);
        if (withLfBreaks(again).trimmed() == whole.trimmed()) {
            notes.text = field->text;
            return notes;
        }
    }
    notes.inSonoForm = false;
    notes.text = whole;
    while (notes.text.endsWith(u'\n'))
        notes.text.chop(1);
    return notes;
}

} // namespace sono
