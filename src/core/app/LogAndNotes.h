#pragma once

#include "core/common/TextEncoding.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <expected>

namespace sono {

inline const QString ShutdownText = QStringLiteral(" - Sono shut down.");
inline const QString FirstNotesText = QStringLiteral("Note Book");
inline const QString EmptyNotesText = QStringLiteral("This is where things go when you can find your pen.");

// One log record: the date and time, then the event text, CR LF.
QByteArray logRecordBytes(const QDateTime& when, const QString& what);

struct LogContents {
    qint32 count = 0; // records in the file
    QStringList when; // the newest records, at most 500, oldest first
    QStringList what;
};

LogContents parseLog(const QByteArray& bytes);
// The log pane text: newest record first, date and event joined, one per line.
QString logPaneText(const LogContents& log);
// "Log :  5 entries"
QString logCaption(qint32 count);

struct NotesFile {
    QString text; // line breaks as "\n"
    TextEncoding encoding = TextEncoding::Utf8;
    // The file is the one text in double quotes that Sono writes. When it is not (plain text, a text
    // cut short, more after the closing quote), `text` is the whole file as it is.
    bool inSonoForm = true;
};

// The notes in double quotes, line breaks as CR LF, in the encoding they were read in.
EncodedText notesFileBytes(const QString& notes, TextEncoding encoding = TextEncoding::Utf8);
// Line breaks CR LF, LF or CR are all read as "\n".
NotesFile parseNotesFile(const QByteArray& bytes);

} // namespace sono
