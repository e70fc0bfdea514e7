#include "core/database/Repair.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sono {

namespace {

QString systemError() {
    return QString::fromLocal8Bit(strerror(errno));
}

// A private connection that is always closed.
struct Connection {
    sqlite3* db = nullptr;
    QString path;
    ~Connection() { sqlite3_close_v2(db); }
    QString error() const {
        return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    }
    // The last error as the user reads it; a lock or damage is named as such.
    QString describe(const QString& otherwise) const {
        return databaseErrorText(path, db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM, error(), otherwise);
    }
};

// A long statement polls `cancelled` and stops with SQLITE_INTERRUPT when it says so.
int pollCancel(void* steps) {
    const auto* s = static_cast<const RepairSteps*>(steps);
    return s->cancelled && s->cancelled() ? 1 : 0;
}

bool cancelled(const RepairSteps& steps) {
    return steps.cancelled && steps.cancelled();
}

void tell(const RepairSteps& steps, const QString& stage) {
    if (steps.stage) steps.stage(stage);
}

std::expected<void, QString> openConnection(Connection& c, const QString& path, int flags,
                                            const RepairSteps& steps) {
    c.path = path;
    if (sqlite3_open_v2(path.toUtf8().constData(), &c.db, flags, nullptr) != SQLITE_OK)
        return std::unexpected(c.describe(QStringLiteral("%1 cannot be opened: %2").arg(path, c.error())));
    sqlite3_extended_result_codes(c.db, 1);
    // Rides out a moment's lock by another program, as the store does.
    sqlite3_busy_timeout(c.db, 2000);
    sqlite3_progress_handler(c.db, 1000, pollCancel, const_cast<RepairSteps*>(&steps));
    return {};
}

// The first column of every row of a statement, as text.
std::expected<QStringList, QString> column(Connection& c, const char* sql, const QString& failed) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(c.db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        return std::unexpected(c.describe(failed + c.error()));
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        rows.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    const QString why = rc == SQLITE_DONE ? QString() : c.describe(failed + c.error());
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) return std::unexpected(why);
    return rows;
}

// Integrity check and row count of table Main.
std::expected<qlonglong, QString> checkedRowCount(const QString& path, const RepairSteps& steps) {
    Connection c;
    if (auto opened = openConnection(c, path, SQLITE_OPEN_READONLY, steps); !opened)
        return std::unexpected(opened.error());
    auto integrity =
        column(c, "PRAGMA integrity_check", QStringLiteral("The check of %1 failed: ").arg(path));
    if (!integrity) return std::unexpected(integrity.error());
    if (integrity->size() != 1 || integrity->first() != QStringLiteral("ok"))
        return std::unexpected(
            databaseErrorText(path, SQLITE_CORRUPT, integrity->mid(0, 5).join(QStringLiteral("; ")), {}));
    auto count = column(c, "SELECT count(*) FROM Main",
                        QStringLiteral("The rows of %1 cannot be counted: ").arg(path));
    if (!count) return std::unexpected(count.error());
    if (count->size() != 1)
        return std::unexpected(QStringLiteral("The rows of %1 cannot be counted: no result").arg(path));
    return count->first().toLongLong();
}

// The copy is created empty with the permissions of the original (a private database stays private),
// then filled by the engine.
std::expected<void, QString> compactInto(const QString& path, const QString& copyPath,
                                         const RepairSteps& steps) {
    struct stat original {};
    if (::stat(QFile::encodeName(path).constData(), &original) != 0)
        return std::unexpected(QStringLiteral("%1 cannot be read: %2").arg(path, systemError()));
    const int fd = ::open(QFile::encodeName(copyPath).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return std::unexpected(QStringLiteral("%1 cannot be created: %2").arg(copyPath, systemError()));
    const bool permitted = ::fchmod(fd, original.st_mode & 07777) == 0;
    ::close(fd);
    if (!permitted)
        return std::unexpected(
            QStringLiteral("The permissions of %1 cannot be set: %2").arg(copyPath, systemError()));

    Connection c;
    if (auto opened = openConnection(c, path, SQLITE_OPEN_READONLY, steps); !opened) return opened;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(c.db, "VACUUM INTO ?1", -1, &stmt, nullptr) != SQLITE_OK)
        return std::unexpected(c.describe(c.error()));
    const QByteArray target = copyPath.toUtf8();
    sqlite3_bind_text(stmt, 1, target.constData(), static_cast<int>(target.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt);
    const QString why =
        c.describe(QStringLiteral("The compacted copy %1 could not be written: %2").arg(copyPath, c.error()));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) return std::unexpected(why);
    return {};
}

// The copy must be on disk before it replaces the original.
bool syncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool renameFile(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// A copy and its journal files; what an interrupted repair leaves behind.
std::expected<void, QString> removeCopy(const QString& copyPath) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString file = copyPath + QLatin1String(suffix);
        if (QFileInfo(file).exists() && !QFile::remove(file))
            return std::unexpected(QStringLiteral("%1 could not be removed.").arg(file));
    }
    return {};
}

// The file as it is now becomes the one backup generation, replacing the previous one in one step.
// A hard link costs nothing; a file system without links gets a copy.
std::expected<void, QString> keepBackup(const QString& databasePath) {
    const QString backup = backupPathFor(databasePath);
    const QString next = backup + QStringLiteral(".new");
    QFile::remove(next); // left by an interrupted repair
    if (::link(QFile::encodeName(databasePath).constData(), QFile::encodeName(next).constData()) != 0 &&
        !QFile::copy(databasePath, next))
        return std::unexpected(QStringLiteral("The backup %1 could not be written.").arg(backup));
    if (!renameFile(next, backup)) {
        const QString why = systemError();
        QFile::remove(next);
        return std::unexpected(QStringLiteral("The backup %1 could not be written: %2").arg(backup, why));
    }
    return {};
}

// Everything after the original passed its check; a failure leaves the original in place.
std::expected<void, QString> writeCheckedCopy(FrequencyStore& store, const QString& databasePath,
                                              const QString& copyPath, qlonglong rows,
                                              const RepairSteps& steps) {
    tell(steps, QStringLiteral("Writing a compacted copy"));
    if (auto compacted = compactInto(databasePath, copyPath, steps); !compacted) return compacted;
    if (steps.afterCompact) steps.afterCompact(copyPath);
    tell(steps, QStringLiteral("Checking the copy"));
    auto after = checkedRowCount(copyPath, steps);
    if (!after)
        return std::unexpected(QStringLiteral("The compacted copy failed its check: ") + after.error());
    if (*after != rows)
        return std::unexpected(
            QStringLiteral("The compacted copy holds %1 records instead of %2.").arg(*after).arg(rows));
    if (!syncFile(copyPath))
        return std::unexpected(
            QStringLiteral("The compacted copy %1 could not be written to disk.").arg(copyPath));
    if (cancelled(steps)) return std::unexpected(RepairCancelledText);
    tell(steps, QStringLiteral("Replacing the database"));
    if (auto kept = keepBackup(databasePath); !kept) return kept;
    // The store reads the file it opened: it lets go of it before the copy takes its name.
    store.close();
    // rename() replaces the old file in one step: the folder never lacks a database.
    if (!renameFile(copyPath, databasePath))
        return std::unexpected(
            QStringLiteral("%1 could not replace %2: %3").arg(copyPath, databasePath, systemError()));
    syncFile(QFileInfo(databasePath).absolutePath());
    return {};
}

std::expected<void, QString> replaceWithCopy(FrequencyStore& store, const QString& databasePath,
                                             const QString& copyPath, const RepairSteps& steps) {
    tell(steps, QStringLiteral("Checking the database"));
    auto rows = checkedRowCount(databasePath, steps);
    if (!rows) return std::unexpected(rows.error());
    // The original is sound, so a copy lying there is the remains of an interrupted repair.
    if (auto removed = removeCopy(copyPath); !removed) return removed;
    auto written = writeCheckedCopy(store, databasePath, copyPath, *rows, steps);
    // An interrupted statement reports itself in the engine's words; the user asked for it.
    if (!written && cancelled(steps) && store.isOpen()) written = std::unexpected(RepairCancelledText);
    if (!written) {
        if (auto removed = removeCopy(copyPath); !removed)
            return std::unexpected(written.error() + QStringLiteral("\n") + removed.error());
    }
    return written;
}

} // namespace

QString backupPathFor(const QString& databasePath) {
    return databasePath + QStringLiteral(".bak");
}

std::expected<void, QString> repairAndCompact(FrequencyStore& store, const QString& databasePath,
                                              const QString& copyPath, const RepairSteps& steps) {
    auto result = replaceWithCopy(store, databasePath, copyPath, steps);
    if (!result && cancelled(steps) && store.isOpen()) result = std::unexpected(RepairCancelledText);
    // Whatever happened, Sono goes on with a database: the new file, or the original one.
    auto reopened = store.isOpen() ? std::expected<void, QString>{} : store.open(databasePath);
    if (reopened) reopened = store.refresh(SearchQuery::all());
    if (!reopened) {
        const QString& why = reopened.error();
        if (result) return std::unexpected(why);
        if (why != result.error()) return std::unexpected(result.error() + QStringLiteral("\n") + why);
    }
    return result;
}

} // namespace sono
