#include "core/common/AppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sono {

namespace {

QString withoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString findInFolder(const QString& folder, const QString& name) {
    QString exact = folder + u'/' + name;
    if (QFileInfo::exists(exact)) return exact;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder + u'/' + entry;
    }
    return {};
}

} // namespace

AppFolder::AppFolder(QString path, QString programFolder, QString sharedFolder)
    : path_(withoutTrailingSlash(std::move(path))),
      programFolder_(withoutTrailingSlash(std::move(programFolder))),
      sharedFolder_(withoutTrailingSlash(std::move(sharedFolder))) {
    if (programFolder_.isEmpty()) programFolder_ = path_;
}

QString AppFolder::filePath(const QString& name) const {
    if (const QString found = findInFolder(path_, name); !found.isEmpty()) return found;
    // Help pages are only read, so an installed Sono shows the shipped ones without copying them.
    if (!sharedFolder_.isEmpty() && name.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive)) {
        if (const QString shipped = findInFolder(sharedFolder_, name); !shipped.isEmpty()) return shipped;
    }
    return path_ + u'/' + name;
}

bool AppFolder::exists(const QString& name) const {
    return QFileInfo(filePath(name)).isFile();
}

std::expected<AppFolder, QString> chooseAppFolder(const FolderPlaces& places) {
    const QString database = QStringLiteral("freqs.mdb");
    const QString program = withoutTrailingSlash(places.programFolder);
    // A build folder or an unpacked copy is shared with nobody: it stays the folder, as it always was.
    if (places.dataDir.isEmpty() && QFileInfo(program).isWritable() &&
        !findInFolder(program, database).isEmpty())
        return AppFolder(program);

    // Installed, the starter files come from the share folder; a build folder holds them itself.
    const QString shared = findInFolder(places.sharedFolder, database).isEmpty()
                               ? program
                               : withoutTrailingSlash(places.sharedFolder);
    QString path;
    if (!places.dataDir.isEmpty()) {
        path = QDir::cleanPath(QDir::current().absoluteFilePath(places.dataDir));
    } else {
        QString base = places.xdgDataHome;
        if (base.isEmpty() || QDir::isRelativePath(base)) {
            if (places.home.isEmpty() || QDir::isRelativePath(places.home))
                return std::unexpected(QStringLiteral("Cannot find your data folder: HOME is not set."));
            base = places.home + QStringLiteral("/.local/share");
        }
        path = QDir::cleanPath(base + QStringLiteral("/sono"));
    }
    if (!QDir().mkpath(path) || !QFileInfo(path).isDir())
        return std::unexpected(QStringLiteral("Cannot create the data folder %1.").arg(path));

    AppFolder folder(path, program, shared);
    if (findInFolder(path, database).isEmpty()) {
        const QString starter = findInFolder(shared, database);
        if (!starter.isEmpty()) {
            const QString target = path + u'/' + database;
            QFile source(starter);
            if (!source.copy(target))
                return std::unexpected(QStringLiteral("Cannot copy the starter database to %1: %2")
                                           .arg(target, source.errorString()));
            // An installed copy is read-only; the user's own must not be.
            QFile::setPermissions(target,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            folder.new_ = true;
        }
    }
    return folder;
}

} // namespace sono
