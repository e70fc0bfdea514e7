#include "common/QuotedFields.h"

#include "common/NumberText.h"

#include <QFile>
#include <QSaveFile>

namespace sono {

QuotedFieldReader::QuotedFieldReader(const QByteArray& bytes) : text_(QString::fromUtf8(bytes)) {}

void QuotedFieldReader::skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t'))
        ++pos_;
}

// After a value: blanks, then one comma or one line end (CR LF, LF or CR).
void QuotedFieldReader::skipSeparator() {
    skipBlanks();
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == u',') {
        ++pos_;
    } else if (text_[pos_] == u'\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == u'\n') ++pos_;
        ++line_;
    } else if (text_[pos_] == u'\n') {
        ++pos_;
        ++line_;
    }
}

bool QuotedFieldReader::atEnd() {
    while (pos_ < text_.size()) {
        const QChar c = text_[pos_];
        if (c == u'\n') {
            ++line_;
        } else if (c != u' ' && c != u'\t' && c != u'\r') {
            return false;
        }
        ++pos_;
    }
    return true;
}

std::optional<QuotedField> QuotedFieldReader::next() {
    if (atEnd()) return std::nullopt;
    QuotedField field;
    field.line = line_;
    skipBlanks();
    if (text_[pos_] == u'"') {
        field.quoted = true;
        ++pos_;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c == u'"') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'"') {
                    field.text += u'"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            if (c == u'\n') ++line_;
            field.text += c;
            ++pos_;
        }
        // Anything between the closing quote and the separator is not part of the value.
        while (pos_ < text_.size() && text_[pos_] != u',' && text_[pos_] != u'\r' && text_[pos_] != u'\n')
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_[pos_] != u',' && text_[pos_] != u'\r' && text_[pos_] != u'\n')
            ++pos_;
        field.text = text_.mid(start, pos_ - start).trimmed();
    }
    skipSeparator();
    return field;
}

void QuotedFieldWriter::separate() {
    if (lineStarted_) bytes_ += ',';
    lineStarted_ = true;
}

QuotedFieldWriter& QuotedFieldWriter::text(const QString& value) {
    separate();
    QString escaped = value;
    escaped.replace(u'"', QStringLiteral("\"\""));
    bytes_ += '"' + escaped.toUtf8() + '"';
    return *this;
}

QuotedFieldWriter& QuotedFieldWriter::number(double value) {
    return bare(shortestText(value, Precision::Double));
}

QuotedFieldWriter& QuotedFieldWriter::bare(const QString& value) {
    separate();
    bytes_ += value.toUtf8();
    return *this;
}

QuotedFieldWriter& QuotedFieldWriter::endLine() {
    bytes_ += "\r\n";
    lineStarted_ = false;
    return *this;
}

std::expected<QByteArray, QString> readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::unexpected(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}

std::expected<void, QString> writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, error));
    }
    if (!file.commit())
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return {};
}

std::expected<void, QString> appendToFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.flush())
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return {};
}

} // namespace sono
