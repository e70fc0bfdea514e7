#pragma once

#include "database/FrequencyStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <vector>

namespace sono::test {

inline FrequencyRecord makeRecord(const QString& description, std::optional<QString> comments,
                                  const std::vector<double>& frequencies = {}) {
    FrequencyRecord r;
    r.Description = description;
    r.Comments = std::move(comments);
    for (size_t i = 0; i < 40; ++i)
        r.F[i] = i < frequencies.size() ? frequencies[i] : 0.0;
    return r;
}

// A temporary folder holding freqs.mdb with table Main as the program's databases have it.
class DatabaseFixture {
public:
    explicit DatabaseFixture(const std::vector<FrequencyRecord>& records) {
        EXPECT_TRUE(dir_.isValid());
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open(path().toUtf8().constData(), &db), SQLITE_OK);
        QByteArray schema = "CREATE TABLE Main (Description TEXT, Comments TEXT NULL";
        for (int slot = 1; slot <= 40; ++slot)
            schema += ", F" + QByteArray::number(slot) + " REAL DEFAULT 0";
        schema += ")";
        EXPECT_EQ(sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        FrequencyStore store;
        EXPECT_TRUE(store.open(path()).has_value());
        sqlite3_exec(store.handle(), "BEGIN", nullptr, nullptr, nullptr);
        for (const FrequencyRecord& r : records)
            EXPECT_TRUE(store.addRecord(r).has_value());
        sqlite3_exec(store.handle(), "COMMIT", nullptr, nullptr, nullptr);
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
