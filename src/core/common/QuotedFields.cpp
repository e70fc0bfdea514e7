#include "core/common/QuotedFields.h"

#include "core/common/NumberText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

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

namespace {

QString sizeText(qint64 bytes) {
    constexpr double Mega = 1024.0 * 1024.0;
    QString text = QString::number(static_cast<double>(bytes) / Mega, 'f', 1);
    if (text.endsWith(QStringLiteral(".0"))) text.chop(2);
    return text + QStringLiteral(" MB");
}

QString cannotWrite(const QString& path, const QFileDevice& file) {
    // A short write with no error from the system (a full disk met half way) leaves the error unset.
    const QString why = file.error() == QFileDevice::NoError
                            ? QStringLiteral("only part of it could be written")
                            : file.errorString();
    return QStringLiteral("Cannot write %1: %2").arg(path, why);
}

} // namespace

std::expected<QByteArray, QString> readWholeFile(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::unexpected(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    auto tooLarge = [&](const QString& size) {
        return std::unexpected(QStringLiteral("Cannot read %1: it holds %2, more than the %3 Sono reads.")
                                   .arg(path, size, sizeText(maxBytes)));
    };
    if (file.size() > maxBytes) return tooLarge(sizeText(file.size()));
    // Read in blocks up to the limit: a device or a file that grows may hold more than its size said.
    constexpr qint64 Block = 1 << 20;
    QByteArray bytes;
    for (;;) {
        const QByteArray block = file.read(Block);
        if (file.error() != QFileDevice::NoError)
            return std::unexpected(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
        if (block.isEmpty()) break;
        bytes += block;
        if (bytes.size() > maxBytes) return tooLarge(QStringLiteral("more"));
    }
    return bytes;
}

std::expected<void, QString> writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    // Small writes stay in the device's buffer, and commit() does not report a failed flush or sync: check
    // each here, so that the file is never replaced by less than it was given.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError ||
        file.size() != bytes.size()) {
        const QString message = cannotWrite(path, file);
        file.cancelWriting();
        return std::unexpected(message);
    }
    if (::fsync(file.handle()) != 0) {
        const QString message =
            QStringLiteral("Cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        file.cancelWriting();
        return std::unexpected(message);
    }
    if (!file.commit())
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return {};
}

std::expected<void, QString> appendToFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    // Unbuffered, so that what reached the file is known when a write falls short.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return std::unexpected(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    const qint64 before = file.size();
    if (file.write(bytes) != bytes.size()) {
        // A record cut in half would join the next one; take it back.
        const QString message = cannotWrite(path, file);
        file.resize(before);
        return std::unexpected(message);
    }
    return {};
}

QStringList removeInterruptedSaves(const QString& folder, const QDateTime& now) {
    // The temporary name is the file's name, a dot and six random letters of both cases; a word in one
    // case or capitalised ("sono.cal.backup", "x.prg.Before") is taken for the user's own copy.
    static const QRegularExpression leftover(QStringLiteral(
        "^(?i:sono\\.ini|sono\\.conf|sono\\.cal|sononote\\.txt|freq\\.txt|.+\\.prg|.+\\.run)\\."
        "(?=[A-Za-z]*[a-z])(?=[A-Za-z][A-Za-z]*[A-Z])[A-Za-z]{6}$"));
    QStringList removed;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& file : files) {
        if (!leftover.match(file.fileName()).hasMatch() || file.lastModified().secsTo(now) < 60) continue;
        if (QFile::remove(file.filePath())) removed.append(file.fileName());
    }
    return removed;
}

QString quotedInMessage(QStringView text) {
    constexpr qsizetype Shown = 80;
    if (text.size() <= Shown) return text.toString();
    qsizetype cut = Shown - 3;
    if (text[cut].isLowSurrogate()) --cut;
    return text.left(cut).toString() + QStringLiteral("...");
}

} // namespace sono
