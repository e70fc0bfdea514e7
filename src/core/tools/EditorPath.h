#pragma once

#include <QString>
#include <expected>

namespace sono {

// The editor path as it will be stored: the typed text unchanged, or the default when it is empty.
// Text that sono.ini cannot hold on its one quoted line (a double quote, a line break, a NUL) is refused.
std::expected<QString, QString> editorPathFromTyped(const QString& typed);

// Checks the typed path, rewrites sono.ini whole (path, then the clear-buffer-first flag) and returns
// the stored path. On any failure the file is left as it was.
std::expected<QString, QString> saveEditorPath(const QString& typed, qint16 clearBufferFirst,
                                               const QString& settingsPath);

} // namespace sono
