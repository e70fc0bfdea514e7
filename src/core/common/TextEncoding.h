#pragma once

#include <QByteArray>
#include <QString>

// Text files that users edit by hand may come from Windows, where they are kept in its ANSI code page:
// a file that is not valid UTF-8 is read as Windows-1252, and written back the same way.
namespace sono {

enum class TextEncoding { Utf8, Utf8WithBom, Windows1252 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

struct EncodedText {
    QByteArray bytes;
    TextEncoding encoding = TextEncoding::Utf8; // what was written
};

DecodedText decodeText(const QByteArray& bytes);

// Text in the encoding it was read in. Text that Windows-1252 cannot hold (a character typed since) is
// written as UTF-8 rather than lose the character.
EncodedText encodeText(const QString& text, TextEncoding encoding);

} // namespace sono
