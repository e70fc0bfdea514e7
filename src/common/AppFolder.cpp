#include "common/AppFolder.h"

#include <QDir>
#include <QFileInfo>

namespace sono {

AppFolder::AppFolder(QString path) : path_(std::move(path)) {
    while (path_.size() > 1 && path_.endsWith(u'/'))
        path_.chop(1);
}

QString AppFolder::filePath(const QString& name) const {
    const QString exact = path_ + u'/' + name;
    if (QFileInfo::exists(exact)) return exact;
    const QStringList entries = QDir(path_).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return path_ + u'/' + entry;
    }
    return exact;
}

bool AppFolder::exists(const QString& name) const {
    return QFileInfo(filePath(name)).isFile();
}

} // namespace sono
