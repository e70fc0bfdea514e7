#pragma once

#include <QString>
#include <expected>

// The application folder holds every file Sono uses. Existing files are found whatever the case of
// their names (files copied from elsewhere keep their own spelling); new files get the name as written.
namespace sono {

// What decides where Sono keeps its files.
struct FolderPlaces {
    QString programFolder; // where the running sono is
    QString sharedFolder;  // the installed share folder (starter database, help pages); may not exist
    QString dataDir;       // --data-dir, when given
    QString xdgDataHome;   // $XDG_DATA_HOME
    QString home;          // $HOME
};

class AppFolder;

// --data-dir wins; else the program's own folder when it is writable and holds freqs.mdb (portable);
// else $XDG_DATA_HOME/sono (~/.local/share/sono). A chosen folder is made when missing and given the
// starter freqs.mdb when it has none.
std::expected<AppFolder, QString> chooseAppFolder(const FolderPlaces& places);

class AppFolder {
public:
    AppFolder() = default;
    // `programFolder` holds sono and freqgen (the folder itself when empty); `sharedFolder` holds the
    // shipped, read-only files of an installed Sono.
    explicit AppFolder(QString path, QString programFolder = {}, QString sharedFolder = {});

    const QString& path() const { return path_; }
    const QString& programFolder() const { return programFolder_; }
    // True when Sono made this folder's starter files on this start.
    bool isNew() const { return new_; }
    // The path of an existing file matching `name` without regard to case (an exact match wins), or
    // path + "/" + name when there is none. Help pages missing here are read from the shared folder.
    QString filePath(const QString& name) const;
    bool exists(const QString& name) const;

private:
    friend std::expected<AppFolder, QString> chooseAppFolder(const FolderPlaces&);
    QString path_;
    QString programFolder_;
    QString sharedFolder_;
    bool new_ = false;
};

} // namespace sono
