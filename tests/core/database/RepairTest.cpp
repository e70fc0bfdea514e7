#include "core/database/Repair.h"
#include "core/common/QuotedFields.h"
#include "support/core/DatabaseFixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sono;
using namespace sono::test;

namespace {

struct RepairFixture : ::testing::Test {
    static std::vector<FrequencyRecord> manyRecords() {
        std::vector<FrequencyRecord> records;
        for (int i = 0; i < 300; ++i)
            records.push_back(record(QStringLiteral("Set %1").arg(i),
                                     i % 7 ? std::optional(QString(200, QChar(u'a' + i % 26))) : std::nullopt,
                                     {double(i + 1), 7.83}));
        return records;
    }
    static QByteArray bytes(const QString& path) { return readWholeFile(path).value_or("<unreadable>"); }
    // What a repair interrupted after writing its copy leaves behind.
    void leaveCopy() const {
        for (const QString& path : {db.copyPath(), db.copyPath() + "-journal"}) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(path.endsWith("journal") ? "its journal" : "half a copy");
        }
    }
    QStringList content() const {
        return db.column("SELECT Description || '|' || ifnull(Comments, '<null>') || '|' || F1 || '|' || F2 "
                         "FROM Main ORDER BY rowid");
    }
    DatabaseFixture db{manyRecords()};
    FrequencyStore store;
};

} // namespace

TEST_F(RepairFixture, KeepsEveryRecordAndTheOldFileAndRemovesALeftoverCopy) {
    ASSERT_TRUE(store.open(db.path()));
    // Deleted rows leave free pages that compaction removes.
    ASSERT_EQ(sqlite3_exec(store.handle(), "DELETE FROM Main WHERE rowid % 2 = 0", nullptr, nullptr, nullptr),
              SQLITE_OK);
    const QStringList kept = content();
    // The row ids (with gaps) survive, so Sono's search tables stay valid and are not built again.
    const QString rowids = QStringLiteral("SELECT group_concat(rowid) FROM Main");
    const QStringList ids = db.column(rowids);
    ASSERT_EQ(
        sqlite3_exec(store.handle(), "INSERT INTO sono_meta VALUES ('kept', 1)", nullptr, nullptr, nullptr),
        SQLITE_OK);
    const QByteArray before = bytes(db.path());
    leaveCopy();

    auto repaired = repairAndCompact(store, db.path(), db.copyPath());
    ASSERT_TRUE(repaired) << repaired.error().toStdString();
    EXPECT_EQ(content(), kept);
    EXPECT_EQ(db.column(rowids), ids);
    EXPECT_EQ(db.column("SELECT value FROM sono_meta WHERE name = 'kept'"), QStringList{"1"});
    EXPECT_LT(QFile(db.path()).size(), before.size());
    EXPECT_EQ(QDir(db.folder()).entryList(QDir::Files), QStringList({"freqs.mdb", "freqs.mdb.bak"}));
    EXPECT_EQ(db.column("PRAGMA integrity_check"), QStringList({"ok"}));
    EXPECT_EQ(store.count(), 150); // open again on the whole table
}

TEST_F(RepairFixture, KeepsThePermissionsAndOneBackupGeneration) {
    for (const mode_t mode : {0600, 0640}) {
        ASSERT_EQ(::chmod(QFile::encodeName(db.path()).constData(), mode), 0);
        const QByteArray before = bytes(db.path());
        auto repaired = repairAndCompact(store, db.path(), db.copyPath());
        ASSERT_TRUE(repaired) << repaired.error().toStdString();
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(db.path()).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(bytes(backupPathFor(db.path())), before);
        EXPECT_EQ(QDir(db.folder()).entryList(QDir::Files), QStringList({"freqs.mdb", "freqs.mdb.bak"}));
    }
}

TEST_F(RepairFixture, ALockedDatabaseIsNamedAsSuchAndStaysInUse) {
    ASSERT_TRUE(store.open(db.path()));
    const QByteArray original = bytes(db.path());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(db.path().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    auto repaired = repairAndCompact(store, db.path(), db.copyPath());
    sqlite3_close(other); // the other program lets go
    ASSERT_FALSE(repaired);
    EXPECT_TRUE(repaired.error().contains("locked by another program — close it and try again"))
        << repaired.error().toStdString();
    EXPECT_EQ(bytes(db.path()), original);
    EXPECT_FALSE(QFile::exists(db.copyPath()));
    // Searching works again without a restart.
    ASSERT_TRUE(store.refresh(SearchQuery::letter(QStringLiteral("s"))));
    EXPECT_EQ(store.count(), 300);
}

TEST_F(RepairFixture, ADamagedCopyNeverReplacesTheDatabase) {
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
        auto repaired = repairAndCompact(store, db.path(), db.copyPath(), {.afterCompact = damage});
        ASSERT_FALSE(repaired);
        EXPECT_FALSE(repaired.error().isEmpty());
        EXPECT_EQ(bytes(db.path()), original);
        EXPECT_FALSE(QFile::exists(db.copyPath()));
        EXPECT_TRUE(store.isOpen());
        EXPECT_EQ(store.count(), 300);
    }
}

// Cancel may come at any stage before the original is replaced, from another thread.
TEST_F(RepairFixture, ACancelledRepairLeavesTheDatabaseAsItWasAtEveryStage) {
    ASSERT_TRUE(store.open(db.path()));
    const QByteArray original = bytes(db.path());
    for (const char* at : {"Checking the database", "Writing a compacted copy", "Checking the copy"}) {
        SCOPED_TRACE(at);
        QStringList stages;
        RepairSteps steps;
        steps.stage = [&](const QString& stage) { stages << stage; };
        steps.cancelled = [&] { return stages.contains(QString::fromLatin1(at)); };
        auto repaired = repairAndCompact(store, db.path(), db.copyPath(), steps);
        ASSERT_FALSE(repaired);
        EXPECT_EQ(repaired.error(), RepairCancelledText);
        EXPECT_FALSE(stages.contains("Replacing the database"));
        EXPECT_EQ(bytes(db.path()), original);
        EXPECT_FALSE(QFile::exists(db.copyPath()));
        EXPECT_FALSE(QFile::exists(backupPathFor(db.path())));
        EXPECT_EQ(store.count(), 300);
    }
}

TEST_F(RepairFixture, ADamagedDatabaseIsReportedWithTheWayOutAndKeptWithAnyLeftover) {
    {
        QFile file(db.path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(4096 * 2); // three whole table pages
        file.write(QByteArray(4096 * 3, '\x5a'));
    }
    leaveCopy();
    const QByteArray damaged = bytes(db.path());
    auto repaired = repairAndCompact(store, db.path(), db.copyPath());
    ASSERT_FALSE(repaired);
    EXPECT_TRUE(repaired.error().contains(db.path() + " is damaged")) << repaired.error().toStdString();
    EXPECT_TRUE(repaired.error().contains("sqlite3 freqs.mdb \".recover\" | sqlite3 recovered.mdb"));
    EXPECT_EQ(bytes(db.path()), damaged);
    // Only a sound original shows that the copy is a leftover.
    EXPECT_EQ(bytes(db.copyPath()), "half a copy");
    EXPECT_FALSE(QFile::exists(backupPathFor(db.path())));
}
