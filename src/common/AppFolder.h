#pragma once

#include <QString>

// The application folder holds every file Sono uses. Existing files are found whatever the case of
// their names (files copied from elsewhere keep their own spelling); new files get the name as written.
namespace sono {

class AppFolder {
public:
    AppFolder() = default;
    explicit AppFolder(QString path);

    const QString& path() const { return path_; }
    // The path of an existing file matching `name` without regard to case (an exact match wins), or
    // path + "/" + name when there is none.
    QString filePath(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QString path_;
};

} // namespace sono
