#include "core/common/TextEncoding.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <optional>

namespace sono {

namespace {

// Bytes 0x80..0x9F of Windows-1252. The five bytes it leaves undefined map to the control characters of
// the same value, as Windows does, so every byte sequence comes back unchanged.
constexpr std::array<char16_t, 32> High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                           0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QByteArray Bom("\xEF\xBB\xBF");

QString fromWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        text[i] = b >= 0x80 && b < 0xA0 ? QChar(High[b - 0x80]) : QChar(b);
    }
    return text;
}

std::optional<QByteArray> toWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += static_cast<char>(u);
            continue;
        }
        const auto* found = std::find(High.begin(), High.end(), u);
        if (found == High.end()) return std::nullopt;
        bytes += static_cast<char>(0x80 + (found - High.begin()));
    }
    return bytes;
}

} // namespace

DecodedText decodeText(const QByteArray& bytes) {
    const bool bom = bytes.startsWith(Bom);
    const QByteArray body = bom ? bytes.mid(Bom.size()) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(body);
    if (!utf8.hasError()) return {text, bom ? TextEncoding::Utf8WithBom : TextEncoding::Utf8};
    return {fromWindows1252(bytes), TextEncoding::Windows1252};
}

EncodedText encodeText(const QString& text, TextEncoding encoding) {
    if (encoding == TextEncoding::Windows1252) {
        if (auto bytes = toWindows1252(text)) return {*bytes, encoding};
        encoding = TextEncoding::Utf8;
    }
    const QByteArray bytes = text.toUtf8();
    return {encoding == TextEncoding::Utf8WithBom ? Bom + bytes : bytes, encoding};
}

} // namespace sono
