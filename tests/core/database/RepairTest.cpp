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
    // 300 sets, one in seven without comments.
    void SetUp() override {
        db.sqlite3Tool("WITH RECURSIVE i(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM i WHERE n < 299) "
                       "INSERT INTO Main (Description, Comments, F1, F2) SELECT 'Set ' || n, CASE WHEN n % 7 "
                       "THEN printf('%.200c', char(97 + n % 26)) END, n + 1, 7.83 FROM i");
    }
    static QByteArray bytes(const QString& path) { return readWholeFile(path).value_or("<unreadable>"); }
    // What a repair interrupted after writing its copy leaves behind.
    void leaveCopy() const {
        ASSERT_TRUE(writeWholeFile(db.copyPath(), "half a copy") &&
                    writeWholeFile(db.copyPath() + "-journal", "its journal"));
    }
    // The failed repair left the database as it was and in use.
    void expectUntouched(const QByteArray& original) {
        EXPECT_EQ(bytes(db.path()), original);
        EXPECT_FALSE(QFile::exists(db.copyPath()));
        EXPECT_FALSE(QFile::exists(backupPathFor(db.path())));
        ASSERT_TRUE(store.refresh(SearchQuery::letter(QStringLiteral("s"))));
        EXPECT_EQ(store.count(), 300);
    }
    DatabaseFixture db{{}};
    FrequencyStore store;
};

} // namespace

TEST_F(RepairFixture, KeepsEveryRecordRowIdPermissionAndTheOldFileAndRemovesALeftoverCopy) {
    ASSERT_TRUE(store.open(db.path()));
    // Deleted rows leave free pages that compaction removes.
    // The row ids (with gaps) survive, so Sono's search tables stay valid and are not built again.
    db.sqlite3Tool("DELETE FROM Main WHERE rowid % 2 = 0; INSERT INTO sono_meta VALUES ('kept', 1)");
    const QString content =
        "SELECT group_concat(rowid || Description || ifnull(Comments, '<null>') || F1 || F2) "
        "FROM Main";
    const QStringList kept = db.column(content);
    ASSERT_EQ(::chmod(QFile::encodeName(db.path()).constData(), 0640), 0);
    const QByteArray before = bytes(db.path());
    leaveCopy();

    auto repaired = repairAndCompact(store, db.path(), db.copyPath());
    ASSERT_TRUE(repaired) << repaired.error().toStdString();
    EXPECT_EQ(db.column(content), kept);
    EXPECT_EQ(db.column("SELECT value FROM sono_meta WHERE name = 'kept'"), QStringList{"1"});
    EXPECT_LT(QFile(db.path()).size(), before.size());
    EXPECT_EQ(bytes(backupPathFor(db.path())), before);
    EXPECT_EQ(QFile::permissions(db.path()),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(db.column("PRAGMA integrity_check"), QStringList({"ok"}));
    EXPECT_EQ(store.count(), 150); // open again on the whole table
    // One backup generation: the next repair replaces it.
    const QByteArray compacted = bytes(db.path());
    ASSERT_TRUE(repairAndCompact(store, db.path(), db.copyPath()));
    EXPECT_EQ(bytes(backupPathFor(db.path())), compacted);
    EXPECT_EQ(QDir(db.folder()).entryList(QDir::Files), QStringList({"freqs.mdb", "freqs.mdb.bak"}));
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
    expectUntouched(original); // searching works again without a restart
}

// Cancel may come at any stage before the original is replaced, from another thread.
TEST_F(RepairFixture, ADamagedCopyOrACancelAtAnyStageLeavesTheDatabaseAsItWas) {
    ASSERT_TRUE(store.open(db.path()));
    const QByteArray original = bytes(db.path());
    QStringList stages;
    const auto cancelAt = [&stages](const char* at) {
        return RepairSteps{{},
                           [&stages, at] { return stages.contains(QLatin1String(at)); },
                           [&stages](const QString& stage) { stages << stage; }};
    };
    const std::pair<const char*, RepairSteps> rows[] = {
        {"cut short", {[](const QString& copy) { QFile::resize(copy, QFile(copy).size() / 2); }}},
        {"removed", {[](const QString& copy) { QFile::remove(copy); }}},
        {"sound but not the same database", {[](const QString& copy) {
             QProcess::execute("sqlite3", {copy, "DELETE FROM Main WHERE rowid < 5"});
         }}},
        {"Checking the database", cancelAt("Checking the database")},
        {"Writing a compacted copy", cancelAt("Writing a compacted copy")},
        {"Checking the copy", cancelAt("Checking the copy")}};
    for (const auto& [what, steps] : rows) {
        SCOPED_TRACE(what);
        stages.clear();
        auto repaired = repairAndCompact(store, db.path(), db.copyPath(), steps);
        EXPECT_TRUE(!repaired && (steps.cancelled ? repaired.error() == RepairCancelledText
                                                  : !repaired.error().isEmpty()));
        EXPECT_FALSE(stages.contains("Replacing the database"));
        EXPECT_TRUE(store.isOpen());
        expectUntouched(original);
    }
}

TEST_F(RepairFixture, ADamagedDatabaseIsReportedWithTheWayOutAndKeptWithAnyLeftover) {
    QFile file(db.path()); // three whole table pages
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(4096 * 2) &&
                file.write(QByteArray(4096 * 3, 'Z')));
    file.close();
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
    // A file that is no database at all is refused on opening, with the same way out, and left alone.
    const QString letter = db.folder() + QStringLiteral("/letter.mdb");
    ASSERT_TRUE(writeWholeFile(letter, "This is a letter, not a database.\r\n"));
    EXPECT_TRUE(FrequencyStore().open(letter).error().contains("recovered.mdb"));
    EXPECT_EQ(bytes(letter), "This is a letter, not a database.\r\n");
}
