#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <expected>
#include <optional>

namespace sono {

inline const QString DefaultEditorPath = QStringLiteral("/usr/bin/xdg-open");

// sono.ini: line 1 the editor path (quoted), line 2 the clear-buffer-first flag (0 or 1).
struct SettingsFile {
    QString EditorPath = DefaultEditorPath;
    std::optional<qint16> ClearBufferFirst; // nothing when the file ends after line 1
};

QByteArray settingsFileBytes(const QString& editorPath, qint16 clearBufferFirst);
std::expected<SettingsFile, QString> parseSettingsFile(const QByteArray& bytes, const QString& fileName);
// The first field alone, as the start-up check reads it: whatever follows is not looked at.
QString editorPathField(const QByteArray& bytes);

} // namespace sono
