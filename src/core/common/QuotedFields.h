#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <expected>
#include <optional>

// The small data files (sono.ini, notes, log, sono.cal, program files) hold values one after another:
// a text between double quotes, a number bare, separated by commas or line ends, each line ended by
// CR LF. A double quote inside a text is written twice, so any text comes back exactly; texts without
// one are written exactly as the plain form.
namespace sono {

struct QuotedField {
    QString text;        // the value without its quotes; a bare value trimmed of blanks
    bool quoted = false; // it was written between double quotes
    int line = 1;        // line of the file where the value starts (for messages)
};

class QuotedFieldReader {
public:
    explicit QuotedFieldReader(const QByteArray& bytes);

    // Next value, or nothing at the end of the file.
    std::optional<QuotedField> next();
    // Only blanks and line ends remain.
    bool atEnd();
    int line() const { return line_; }

private:
    void skipBlanks();
    void skipSeparator();

    QString text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

class QuotedFieldWriter {
public:
    QuotedFieldWriter& text(const QString& value);
    QuotedFieldWriter& number(double value);
    // A number already in its written form (the program files keep some integers as typed).
    QuotedFieldWriter& bare(const QString& value);
    QuotedFieldWriter& endLine();

    const QByteArray& bytes() const { return bytes_; }

private:
    void separate();

    QByteArray bytes_;
    bool lineStarted_ = false;
};

// Files Sono reads are small; anything larger is refused before it can fill the memory or the window.
inline constexpr qint64 MaxReadBytes = 16 * 1024 * 1024;

// Reads a whole file of at most maxBytes; a message naming the file when it cannot be read or is larger.
std::expected<QByteArray, QString> readWholeFile(const QString& path, qint64 maxBytes = MaxReadBytes);

// Replaces the file whole through a temporary file and a rename: a crash or a full disk leaves the old
// file. Every write, the flush and the sync are checked, so the file is never replaced by less than
// `bytes`. The message names the file.
std::expected<void, QString> writeWholeFile(const QString& path, const QByteArray& bytes);

// Appends to the end of the file, creating it when missing. A failed append leaves the file as it was.
std::expected<void, QString> appendToFile(const QString& path, const QByteArray& bytes);

// Removes the temporary files that interrupted writes left in the folder: a name of one of Sono's own
// files (sono.ini, sono.conf, sono.cal, SonoNote.txt, freq.txt, a program or run file) followed by a dot and
// six letters or digits, untouched for a minute (so another Sono's save in progress is left alone). Returns
// the names removed.
QStringList removeInterruptedSaves(const QString& folder, const QDateTime& now);

// A text from a file or a box as a message quotes it: at most about 80 characters, so that a huge field
// cannot flood the message.
QString quotedInMessage(QStringView text);

} // namespace sono
