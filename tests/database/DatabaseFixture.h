#pragma once

#include "database/FrequencyStore.h"
#include "support/core/DatabaseFiles.h"

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
        sqlite3* db = nullptr;
        QStringList rows;
        if (sqlite3_open_v2(path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK) {
                while (sqlite3_step(stmt) == SQLITE_ROW) {
                    rows.append(
                        sqlite3_column_type(stmt, 0) == SQLITE_NULL
                            ? QStringLiteral("<null>")
                            : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
                }
            }
            sqlite3_finalize(stmt);
        }
        sqlite3_close(db);
        return rows;
    }

private:
    QTemporaryDir dir_;
};

} // namespace sono::test
