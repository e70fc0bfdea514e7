#include "support/core/DatabaseFiles.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace sono::test {

FrequencyRecord record(const QString& description, std::optional<QString> comments,
                       const std::vector<double>& frequencies) {
    FrequencyRecord r;
    r.Description = description;
    r.Comments = std::move(comments);
    for (size_t i = 0; i < 40; ++i)
        r.F[i] = i < frequencies.size() ? frequencies[i] : 0.0;
    return r;
}

void createDatabase(const QString& path, const std::vector<FrequencyRecord>& records) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QByteArray schema = "CREATE TABLE Main (Description TEXT, Comments TEXT NULL";
    for (int slot = 1; slot <= 40; ++slot)
        schema += ", F" + QByteArray::number(slot) + " REAL DEFAULT 0";
    schema += ")";
    ASSERT_EQ(sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    FrequencyStore store;
    ASSERT_TRUE(store.open(path).has_value());
    ASSERT_EQ(sqlite3_exec(store.handle(), "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    for (const FrequencyRecord& r : records)
        ASSERT_TRUE(store.addRecord(r).has_value());
    ASSERT_EQ(sqlite3_exec(store.handle(), "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
}

} // namespace sono::test
