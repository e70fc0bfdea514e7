#include "core/database/SortKey.h"

namespace sono {

namespace {

bool isAscii(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

} // namespace

QByteArray primarySortKey(QStringView text) {
    if (isAscii(text)) {
        QByteArray key = text.toLatin1();
        for (char& c : key)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return key;
    }
    // Decomposed, the accents are separate marks that can be left out; the letters are case-folded.
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString base;
    base.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing) continue;
        base += c;
    }
    return base.toCaseFolded().toUtf8();
}

QByteArray descriptionSortKey(QStringView description) {
    QByteArray key = primarySortKey(description);
    const QByteArray exact = description.toUtf8();
    // A 0 byte ends the primary part, so a shorter primary sorts first ("elan" before "élan vital").
    if (exact != key) key += '\0' + exact;
    return key;
}

} // namespace sono
