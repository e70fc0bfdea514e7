#pragma once

#include "core/database/FrequencyStore.h"
#include "support/core/DatabaseFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <vector>

namespace sono::test {

// A temporary folder holding freqs.mdb with table Main as the program's databases have it.
class DatabaseFixture {
public:
    explicit DatabaseFixture(const std::vector<FrequencyRecord>& records) {
        EXPECT_TRUE(dir_.isValid());
        createDatabase(path(), records);
    }
    QString folder() const { return dir_.path(); }
    QString path() const { return dir_.filePath(QStringLiteral("freqs.mdb")); }
    QString copyPath() const { return dir_.filePath(QStringLiteral("newFreq.mdb")); }

    // Runs SQL on a separate connection and returns the first column of every row as text.
    QStringList column(const QString& sql) const {
        QStringList rows;
        sqlite3* db = nullptr;
        sqlite3_open_v2(path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        const auto add = [](void* out, int, char** values, char**) {
            static_cast<QStringList*>(out)->append(values[0] ? QString::fromUtf8(values[0])
                                                             : QStringLiteral("<null>"));
            return 0;
        };
        EXPECT_EQ(sqlite3_exec(db, sql.toUtf8().constData(), add, &rows, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
        return rows;
    }

    // Runs SQL with the sqlite3 tool, as a user would from outside Sono.
    void sqlite3Tool(const QString& sql) const {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        ASSERT_FALSE(program.isEmpty()) << "the sqlite3 tool builds the starter database";
        QProcess tool;
        tool.start(program, {path(), sql});
        ASSERT_TRUE(tool.waitForFinished());
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }

private:
    QTemporaryDir dir_;
};

// The descriptions of the store's record set, line by line.
inline QStringList listed(const FrequencyStore& store) {
    QStringList lines;
    for (int k = 0; k < store.count(); ++k)
        lines << store.description(k);
    return lines;
}

} // namespace sono::test
