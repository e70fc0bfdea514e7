#include "database/Repair.h"
#include "database/DatabaseFixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

std::vector<FrequencyRecord> manyRecords() {
    std::vector<FrequencyRecord> records;
    for (int i = 0; i < 300; ++i)
        records.push_back(
            record(QStringLiteral("Set %1").arg(i, 3, 10, QLatin1Char('0')),
                       i % 7 ? std::optional<QString>(QString(200, QChar(u'a' + i % 26))) : std::nullopt,
                       {double(i + 1), 7.83}));
    return records;
}

QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char* const Content =
    "SELECT Description || '|' || ifnull(Comments, '<null>') || '|' || F1 || '|' || F2 "
    "FROM Main ORDER BY rowid";

} // namespace

TEST(Repair, KeepsEveryRecordAndLeavesNoCopy) {
    DatabaseFixture db(manyRecords());
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    ASSERT_TRUE(store.addRecord(record("Zed", "z", {1})));
    ASSERT_TRUE(store.refresh(SearchQuery::letter("s")));
    const QStringList before = db.column(Content);
    // Deleted rows leave free pages that compaction removes.
    ASSERT_TRUE(sqlite3_exec(store.handle(), "DELETE FROM Main WHERE rowid % 2 = 0", nullptr, nullptr,
                             nullptr) == SQLITE_OK);
    const QStringList kept = db.column(Content);
    const qint64 sizeBefore = QFile(db.path()).size();

    auto repaired = repairAndCompact(store, db.path(), db.copyPath());
    ASSERT_TRUE(repaired) << repaired.error().toStdString();
    EXPECT_EQ(db.column(Content), kept);
    EXPECT_LT(kept.size(), before.size());
    EXPECT_LT(QFile(db.path()).size(), sizeBefore);
    EXPECT_FALSE(QFile::exists(db.copyPath()));
    EXPECT_EQ(db.column("PRAGMA integrity_check"), QStringList({"ok"}));
    // The store is open again on the whole table.
    EXPECT_TRUE(store.isOpen());
    EXPECT_EQ(store.query().kind, SearchQuery::Kind::All);
    EXPECT_EQ(store.count(), kept.size());
}

TEST(Repair, ALeftoverCopyIsReportedAndNothingIsTouched) {
    DatabaseFixture db(manyRecords());
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    QFile leftover(db.copyPath());
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("half a database");
    leftover.close();
    const QByteArray original = bytes(db.path());

    auto repaired = repairAndCompact(store, db.path(), db.copyPath());
    ASSERT_FALSE(repaired);
    EXPECT_TRUE(repaired.error().contains("newFreq.mdb already exists")) << repaired.error().toStdString();
    EXPECT_EQ(bytes(db.path()), original);
    EXPECT_EQ(bytes(db.copyPath()), QByteArray("half a database"));
    EXPECT_TRUE(store.isOpen());
    EXPECT_EQ(store.count(), 300);
}

TEST(Repair, ADamagedCopyNeverReplacesTheDatabase) {
    DatabaseFixture db(manyRecords());
    FrequencyStore store;
    ASSERT_TRUE(store.open(db.path()));
    const QByteArray original = bytes(db.path());
    for (auto damage : {+[](const QString& copy) { QFile::resize(copy, QFile(copy).size() / 2); },
                        +[](const QString& copy) { QFile::remove(copy); },
                        +[](const QString& copy) {
                            // Drop rows: a copy that is sound but not the same database.
                            sqlite3* c = nullptr;
                            sqlite3_open(copy.toUtf8().constData(), &c);
                            sqlite3_exec(c, "DELETE FROM Main WHERE rowid < 5", nullptr, nullptr, nullptr);
                            sqlite3_close(c);
                        }}) {
        auto repaired = repairAndCompact(store, db.path(), db.copyPath(), {damage});
        ASSERT_FALSE(repaired);
        EXPECT_FALSE(repaired.error().isEmpty());
        EXPECT_EQ(bytes(db.path()), original);
        EXPECT_FALSE(QFile::exists(db.copyPath()));
        EXPECT_TRUE(store.isOpen());
        EXPECT_EQ(store.count(), 300);
    }
}

TEST(Repair, ADamagedDatabaseIsReportedAndKept) {
    DatabaseFixture db(manyRecords());
    {
        QFile file(db.path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(4096 * 3 + 100); // inside a table page
        file.write(QByteArray(2000, '\x5a'));
    }
    const QByteArray damaged = bytes(db.path());
    FrequencyStore store;
    auto repaired = repairAndCompact(store, db.path(), db.copyPath());
    ASSERT_FALSE(repaired);
    EXPECT_EQ(bytes(db.path()), damaged);
    EXPECT_FALSE(QFile::exists(db.copyPath()));
}
