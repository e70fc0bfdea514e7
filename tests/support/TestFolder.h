#pragma once

#include "core/database/FrequencyStore.h"
#include "support/core/DatabaseFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sono {
class MainWindow;
class Session;
} // namespace sono

namespace sono::test {

// A temporary application folder.
class TestFolder {
public:
    TestFolder() { EXPECT_TRUE(dir_.isValid()); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const { return QFile::exists(file(name)); }
    // freqs.mdb with these records.
    void createDatabase(const std::vector<FrequencyRecord>& records) const {
        test::createDatabase(file(QStringLiteral("freqs.mdb")), records);
    }
    // The shipped help pages (data/help/*.rtf), as the application folder holds them.
    void installHelpPages() const;

private:
    QTemporaryDir dir_;
};

// Runs the start-up check and Proceed on the folder; the main window is loaded and shown (offscreen).
// Returns nullptr when the main window could not start.
MainWindow* startSono(Session& session);

} // namespace sono::test
