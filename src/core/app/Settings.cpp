#include "core/app/Settings.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"

namespace sono {

QByteArray settingsFileBytes(const QString& editorPath, qint16 clearBufferFirst) {
    QuotedFieldWriter writer;
    writer.text(editorPath).endLine().bare(QString::number(clearBufferFirst)).endLine();
    return writer.bytes();
}

std::expected<SettingsFile, QString> parseSettingsFile(const QByteArray& bytes, const QString& fileName) {
    QuotedFieldReader reader(bytes);
    SettingsFile settings;
    const auto path = reader.next();
    if (!path || path->text.isEmpty())
        return std::unexpected(QStringLiteral("%1 holds no editor path.").arg(fileName));
    settings.EditorPath = path->text;
    if (const auto flag = reader.next()) {
        const auto value = parseWholeNumber(flag->text);
        if (!value || (*value != 0 && *value != 1))
            return std::unexpected(QStringLiteral("%1, line %2: \"%3\" is not 0 or 1.")
                                       .arg(fileName)
                                       .arg(flag->line)
                                       .arg(quotedInMessage(flag->text)));
        settings.ClearBufferFirst = static_cast<qint16>(*value);
    }
    return settings;
}

QString editorPathField(const QByteArray& bytes) {
    const auto path = QuotedFieldReader(bytes).next();
    return path ? path->text : QString();
}

} // namespace sono
