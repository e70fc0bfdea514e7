#include "database/Repair.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace sono {

namespace {

// A private connection that is always closed.
struct Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
    QString error() const {
        return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
    }
};

std::expected<void, QString> openConnection(Connection& c, const QString& path, int flags) {
    if (sqlite3_open_v2(path.toUtf8().constData(), &c.db, flags, nullptr) != SQLITE_OK)
        return std::unexpected(QStringLiteral("%1 cannot be opened: %2").arg(path, c.error()));
    sqlite3_extended_result_codes(c.db, 1);
    return {};
}

// The first column of every row of a statement, as text.
std::expected<QStringList, QString> column(Connection& c, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(c.db, sql, -1, &stmt, nullptr) != SQLITE_OK) return std::unexpected(c.error());
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
        rows.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) return std::unexpected(c.error());
    return rows;
}

// Integrity check and row count of table Main.
std::expected<qlonglong, QString> checkedRowCount(const QString& path) {
    Connection c;
    if (auto opened = openConnection(c, path, SQLITE_OPEN_READONLY); !opened)
        return std::unexpected(opened.error());
    auto integrity = column(c, "PRAGMA integrity_check");
    if (!integrity)
        return std::unexpected(QStringLiteral("The check of %1 failed: %2").arg(path, integrity.error()));
    if (integrity->size() != 1 || integrity->first() != QStringLiteral("ok"))
        return std::unexpected(
            QStringLiteral("%1 is damaged: %2").arg(path, integrity->mid(0, 5).join(QStringLiteral("; "))));
    auto count = column(c, "SELECT count(*) FROM Main");
    if (!count || count->size() != 1)
        return std::unexpected(QStringLiteral("The rows of %1 cannot be counted: %2")
                                   .arg(path, count ? QStringLiteral("no result") : count.error()));
    return count->first().toLongLong();
}

std::expected<void, QString> compactInto(const QString& path, const QString& copyPath) {
    Connection c;
    if (auto opened = openConnection(c, path, SQLITE_OPEN_READONLY); !opened) return opened;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(c.db, "VACUUM INTO ?1", -1, &stmt, nullptr) != SQLITE_OK)
        return std::unexpected(c.error());
    const QByteArray target = copyPath.toUtf8();
    sqlite3_bind_text(stmt, 1, target.constData(), static_cast<int>(target.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::unexpected(
            QStringLiteral("The compacted copy %1 could not be written: %2").arg(copyPath, c.error()));
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

std::expected<void, QString> replaceWithCopy(const QString& databasePath, const QString& copyPath,
                                             const RepairSteps& steps) {
    auto before = checkedRowCount(databasePath);
    if (!before) return std::unexpected(before.error());
    if (auto compacted = compactInto(databasePath, copyPath); !compacted) return compacted;
    if (steps.afterCompact) steps.afterCompact(copyPath);
    auto after = checkedRowCount(copyPath);
    if (!after) return std::unexpected(after.error());
    if (*after != *before)
        return std::unexpected(
            QStringLiteral("The compacted copy holds %1 records instead of %2.").arg(*after).arg(*before));
    if (!syncFile(copyPath))
        return std::unexpected(
            QStringLiteral("The compacted copy %1 could not be written to disk.").arg(copyPath));
    // rename() replaces the old file in one step: the folder never lacks a database.
    if (std::rename(QFile::encodeName(copyPath).constData(), QFile::encodeName(databasePath).constData()) !=
        0)
        return std::unexpected(QStringLiteral("%1 could not replace %2: %3")
                                   .arg(copyPath, databasePath, QString::fromLocal8Bit(strerror(errno))));
    syncFile(QFileInfo(databasePath).absolutePath());
    return {};
}

} // namespace

std::expected<void, QString> repairAndCompact(FrequencyStore& store, const QString& databasePath,
                                              const QString& copyPath, const RepairSteps& steps) {
    std::expected<void, QString> result;
    if (QFileInfo::exists(copyPath)) {
        // Someone else's file, perhaps from an earlier failed repair: it is not ours to remove.
        result =
            std::unexpected(QStringLiteral("%1 already exists, perhaps left by an earlier repair. It was not "
                                           "touched; move or delete it and try again.")
                                .arg(copyPath));
    } else {
        store.close();
        result = replaceWithCopy(databasePath, copyPath, steps);
        if (!result && QFileInfo::exists(copyPath) && !QFile::remove(copyPath))
            result =
                std::unexpected(result.error() + QStringLiteral("\n%1 could not be removed.").arg(copyPath));
    }
    auto reopened = store.open(databasePath);
    if (reopened) reopened = store.refresh(SearchQuery::all());
    if (!reopened) {
        const QString why = reopened.error();
        return std::unexpected(result ? why : result.error() + QStringLiteral("\n") + why);
    }
    return result;
}

} // namespace sono
