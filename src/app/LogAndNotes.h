#pragma once

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

QByteArray notesFileBytes(const QString& notes);
std::expected<QString, QString> parseNotesFile(const QByteArray& bytes, const QString& fileName);

} // namespace sono
