#include "core/app/UnreadFiles.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"

#include <QFileInfo>

namespace sono {

namespace {

QString key(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QString markUnreadFile(AppState& state, const QString& path) {
    if (!state.UnreadFiles.contains(key(path))) state.UnreadFiles.append(key(path));
    return QStringLiteral("The file is left as it is; before Sono first saves over it, it is kept as %1.")
        .arg(path + QStringLiteral(".bak"));
}

bool keepUnreadFile(AppState& state, Platform& platform, const QString& path) {
    if (!state.UnreadFiles.contains(key(path))) return true;
    if (!QFileInfo::exists(path)) {
        state.UnreadFiles.removeAll(key(path));
        return true;
    }
    const QString backup = path + QStringLiteral(".bak");
    auto original = readWholeFile(path);
    auto kept = original ? writeWholeFile(backup, *original) : std::unexpected(original.error());
    if (!kept) {
        platform.message(
            kept.error() +
            QStringLiteral("\n\n%1 could not be kept as %2, so it was not changed.").arg(path, backup));
        return false;
    }
    state.UnreadFiles.removeAll(key(path));
    platform.message(QStringLiteral("%1 had not loaded when Sono started. Its earlier content is kept as %2.")
                         .arg(path, backup));
    return true;
}

} // namespace sono
