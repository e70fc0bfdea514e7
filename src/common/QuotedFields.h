#pragma once

#include <QByteArray>
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

// Reads a whole file; a message naming the file when it cannot be read.
std::expected<QByteArray, QString> readWholeFile(const QString& path);

// Replaces the file whole through a temporary file and a rename: a crash or a full disk leaves the old
// file. The message names the file.
std::expected<void, QString> writeWholeFile(const QString& path, const QByteArray& bytes);

// Appends to the end of the file, creating it when missing.
std::expected<void, QString> appendToFile(const QString& path, const QByteArray& bytes);

} // namespace sono
