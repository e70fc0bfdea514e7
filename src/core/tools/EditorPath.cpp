#include "core/tools/EditorPath.h"

#include "core/app/Settings.h"
#include "core/common/QuotedFields.h"

namespace sono {

std::expected<QString, QString> editorPathFromTyped(const QString& typed) {
    if (typed.isEmpty()) return DefaultEditorPath;
    for (const QChar c : typed) {
        if (c == u'"' || c == u'\r' || c == u'\n' || c == QChar(0) || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return std::unexpected(
                QStringLiteral("The editor path cannot hold a double quote, a line break or a NUL "
                               "character. The setting is unchanged."));
    }
    return typed;
}

std::expected<QString, QString> saveEditorPath(const QString& typed, qint16 clearBufferFirst,
                                               const QString& settingsPath) {
    auto path = editorPathFromTyped(typed);
    if (!path) return path;
    if (auto written = writeWholeFile(settingsPath, settingsFileBytes(*path, clearBufferFirst)); !written)
        return std::unexpected(written.error());
    return path;
}

} // namespace sono
