#include "core/database/SearchTables.h"

#include "core/database/SortKey.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace sono {

namespace {

// Raise when the additions change shape: an older or newer file gets them rebuilt on open.
constexpr int Version = 1;

const char* const SonoObjects[] = {"sono_meta",        "sono_order",       "sono_order_key",  "sono_freq",
                                   "sono_main_insert", "sono_main_update", "sono_main_delete"};

QString errorOf(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

std::expected<void, QString> exec(sqlite3* db, const QByteArray& sql) {
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return std::unexpected(errorOf(db));
    return {};
}

// One number from a query; nothing when the query fails or gives no row (a missing table, say).
std::optional<long long> number(sqlite3* db, const char* sql) {
    Statement s;
    if (sqlite3_prepare_v2(db, sql, -1, &s.stmt, nullptr) != SQLITE_OK || sqlite3_step(s.stmt) != SQLITE_ROW)
        return std::nullopt;
    return sqlite3_column_int64(s.stmt, 0);
}

// "SELECT P.F1 AS v UNION ALL SELECT P.F2 ... P.F40": the 40 slots of a row as one column.
QByteArray slotValues(const char* row) {
    QByteArray list;
    for (int slot = 1; slot <= 40; ++slot)
        list += QByteArray(slot > 1 ? " UNION ALL SELECT " : "SELECT ") + row + ".F" +
                QByteArray::number(slot) + (slot == 1 ? " AS v" : "");
    return list;
}

QByteArray insertFrequencies(const char* row) {
    return QByteArray("INSERT OR IGNORE INTO sono_freq(freq, id) SELECT f, ") + row +
           ".rowid FROM (SELECT CAST(v AS REAL) AS f FROM (" + slotValues(row) + ")) WHERE f > 0;";
}

QByteArray deleteFrequencies(const char* row) {
    return QByteArray("DELETE FROM sono_freq WHERE id = ") + row +
           ".rowid AND freq IN (SELECT CAST(v AS REAL) FROM (" + slotValues(row) + "));";
}

// Plain SQL only, so that the sqlite3 tool and any other program can still write table Main.
QByteArray schema() {
    QByteArray sql = "CREATE TABLE sono_meta(name TEXT PRIMARY KEY, value INTEGER);"
                     "CREATE TABLE sono_order(id INTEGER PRIMARY KEY, key BLOB);"
                     "CREATE TABLE sono_freq(freq REAL NOT NULL, id INTEGER NOT NULL, PRIMARY KEY(freq, id))"
                     " WITHOUT ROWID;";
    sql +=
        "CREATE TRIGGER sono_main_insert AFTER INSERT ON Main BEGIN "
        "INSERT INTO sono_order(id, key) VALUES (NEW.rowid, NULL) ON CONFLICT(id) DO UPDATE SET key = NULL; "
        "UPDATE sono_meta SET value = value + 1 WHERE name = 'sets'; " +
        insertFrequencies("NEW") + " END;";
    sql +=
        "CREATE TRIGGER sono_main_update AFTER UPDATE ON Main BEGIN " + deleteFrequencies("OLD") + " " +
        insertFrequencies("NEW") +
        " DELETE FROM sono_order WHERE id = OLD.rowid AND OLD.rowid IS NOT NEW.rowid;"
        " INSERT INTO sono_order(id, key) VALUES (NEW.rowid, NULL) ON CONFLICT(id) DO UPDATE SET key = NULL"
        " WHERE OLD.Description IS NOT NEW.Description OR OLD.rowid IS NOT NEW.rowid; END;";
    sql += "CREATE TRIGGER sono_main_delete AFTER DELETE ON Main BEGIN "
           "DELETE FROM sono_order WHERE id = OLD.rowid; "
           "UPDATE sono_meta SET value = value - 1 WHERE name = 'sets'; " +
           deleteFrequencies("OLD") + " END;";
    return sql;
}

bool upToDate(sqlite3* db, long long sets) {
    QByteArray names;
    for (const char* name : SonoObjects)
        names += QByteArray(names.isEmpty() ? "'" : ", '") + name + "'";
    const auto present = number(
        db, QByteArray("SELECT count(*) FROM sqlite_master WHERE name IN (" + names + ")").constData());
    if (present != static_cast<long long>(std::size(SonoObjects))) return false;
    if (number(db, "SELECT value FROM sono_meta WHERE name = 'version'") != Version) return false;
    if (number(db, "SELECT value FROM sono_meta WHERE name = 'sets'") != sets) return false;
    // Rowids renumbered by a compaction, or rows written while the triggers were gone.
    return number(db, "SELECT coalesce(max(rowid), 0) FROM Main") ==
           number(db, "SELECT coalesce(max(id), 0) FROM sono_order");
}

// One pass over table Main: the sort key of every set is appended in rowid order, and every frequency
// is gathered in memory, sorted and appended in key order, so that both tables are written front to
// back instead of through the engine's sorter over forty passes.
std::expected<void, QString> fillTables(sqlite3* db) {
    QByteArray select = "SELECT rowid, Description";
    for (int slot = 1; slot <= 40; ++slot)
        select += ", F" + QByteArray::number(slot);
    select += " FROM Main";
    Statement read;
    Statement order;
    if (sqlite3_prepare_v2(db, select.constData(), -1, &read.stmt, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, "INSERT INTO sono_order(id, key) VALUES (?1, ?2)", -1, &order.stmt, nullptr) !=
            SQLITE_OK)
        return std::unexpected(errorOf(db));
    // Twelve bytes a frequency (a million sets hold some twenty million), counted before they are read
    // so that the list is allocated once. Frequencies are above 0, so their bits sort as they do.
    struct [[gnu::packed]] Entry {
        std::uint64_t bits;
        std::uint32_t id;
        bool operator<(const Entry& other) const {
            return bits != other.bits ? bits < other.bits : id < other.id;
        }
        bool operator==(const Entry& other) const { return bits == other.bits && id == other.id; }
    };
    const auto widest = number(db, "SELECT coalesce(max(rowid), 0) FROM Main");
    const auto lowest = number(db, "SELECT coalesce(min(rowid), 0) FROM Main");
    if (!widest || !lowest) return std::unexpected(errorOf(db));
    // Row ids set by hand beyond 32 bits leave the frequencies to the engine's sorter.
    const bool compact = *lowest >= 0 && *widest <= std::numeric_limits<std::uint32_t>::max();
    QByteArray count = "SELECT coalesce(sum(0";
    for (int slot = 1; slot <= 40; ++slot)
        count += " + (F" + QByteArray::number(slot) + " > 0)";
    const auto used = number(db, QByteArray(count + "), 0) FROM Main").constData());
    if (!used) return std::unexpected(errorOf(db));
    std::vector<Entry> entries;
    if (compact) entries.reserve(static_cast<size_t>(*used));
    int rc;
    while ((rc = sqlite3_step(read.stmt)) == SQLITE_ROW) {
        const long long id = sqlite3_column_int64(read.stmt, 0);
        const QString description =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(read.stmt, 1)),
                              sqlite3_column_bytes(read.stmt, 1));
        const QByteArray key = descriptionSortKey(description);
        sqlite3_bind_int64(order.stmt, 1, id);
        sqlite3_bind_blob(order.stmt, 2, key.constData(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(order.stmt) != SQLITE_DONE) return std::unexpected(errorOf(db));
        sqlite3_reset(order.stmt);
        // The value CAST(slot AS REAL) gives, as the triggers store it.
        for (int slot = 0; compact && slot < 40; ++slot)
            if (const double freq = sqlite3_column_double(read.stmt, 2 + slot); freq > 0)
                entries.push_back({std::bit_cast<std::uint64_t>(freq), static_cast<std::uint32_t>(id)});
    }
    if (rc != SQLITE_DONE) return std::unexpected(errorOf(db));
    if (!compact) {
        QByteArray freq = "INSERT OR IGNORE INTO sono_freq(freq, id) SELECT f, id FROM (";
        for (int slot = 1; slot <= 40; ++slot)
            freq += QByteArray(slot > 1 ? " UNION ALL " : "") + "SELECT CAST(F" + QByteArray::number(slot) +
                    " AS REAL) AS f, rowid AS id FROM Main";
        return exec(db, freq + ") WHERE f > 0 ORDER BY f, id;");
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    // Many rows a statement: the cost of a step is shared.
    constexpr size_t Batch = 200;
    const auto insert = [&](size_t rows) {
        QByteArray sql = "INSERT INTO sono_freq(freq, id) VALUES (?, ?)";
        for (size_t row = 1; row < rows; ++row)
            sql += ", (?, ?)";
        return sql;
    };
    Statement batch;
    if (sqlite3_prepare_v2(db, insert(Batch).constData(), -1, &batch.stmt, nullptr) != SQLITE_OK)
        return std::unexpected(errorOf(db));
    for (size_t first = 0; first < entries.size(); first += Batch) {
        const size_t rows = std::min(Batch, entries.size() - first);
        Statement last;
        sqlite3_stmt* stmt = batch.stmt;
        if (rows < Batch) {
            if (sqlite3_prepare_v2(db, insert(rows).constData(), -1, &last.stmt, nullptr) != SQLITE_OK)
                return std::unexpected(errorOf(db));
            stmt = last.stmt;
        }
        for (size_t row = 0; row < rows; ++row) {
            const Entry entry = entries[first + row];
            sqlite3_bind_double(stmt, static_cast<int>(2 * row + 1), std::bit_cast<double>(entry.bits));
            sqlite3_bind_int64(stmt, static_cast<int>(2 * row + 2), entry.id);
        }
        if (sqlite3_step(stmt) != SQLITE_DONE) return std::unexpected(errorOf(db));
        sqlite3_reset(stmt);
    }
    return {};
}

std::expected<void, QString> rebuild(sqlite3* db, long long sets) {
    QByteArray sql = "BEGIN IMMEDIATE;";
    for (const char* name : {"sono_main_insert", "sono_main_update", "sono_main_delete"})
        sql += QByteArray("DROP TRIGGER IF EXISTS ") + name + ";";
    for (const char* name : {"sono_meta", "sono_order", "sono_freq"})
        sql += QByteArray("DROP TABLE IF EXISTS ") + name + ";";
    if (auto begun = exec(db, sql); !begun) return begun;
    auto done = [&]() -> std::expected<void, QString> {
        if (auto made = exec(db, schema()); !made) return made;
        if (auto filled = fillTables(db); !filled) return filled;
        return exec(db, "CREATE INDEX sono_order_key ON sono_order(key);"
                        "INSERT INTO sono_meta VALUES ('version', " +
                            QByteArray::number(Version) + "), ('sets', " + QByteArray::number(sets) +
                            ");COMMIT;");
    }();
    if (!done) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return done;
}

} // namespace

std::expected<long long, QString> prepareSearchTables(sqlite3* db) {
    const auto sets = number(db, "SELECT count(*) FROM Main");
    if (!sets) return std::unexpected(errorOf(db));
    if (!upToDate(db, *sets)) {
        // A larger page cache for the one-off sort of every set and frequency.
        // Only a speed-up: a cache size that cannot be set changes nothing else.
        const auto cache = number(db, "PRAGMA cache_size");
        static_cast<void>(exec(db, "PRAGMA cache_size = -65536"));
        auto rebuilt = rebuild(db, *sets);
        static_cast<void>(exec(db, "PRAGMA cache_size = " + QByteArray::number(cache.value_or(-2000))));
        if (!rebuilt)
            return std::unexpected(QStringLiteral("Sono's search tables could not be built: ") +
                                   rebuilt.error());
    }
    if (auto filled = fillMissingSortKeys(db); !filled) return std::unexpected(filled.error());
    return *sets;
}

std::expected<void, QString> storeSortKey(sqlite3* db, long long id, const QString& description) {
    Statement s;
    if (sqlite3_prepare_v2(db, "UPDATE sono_order SET key = ?2 WHERE id = ?1", -1, &s.stmt, nullptr) !=
        SQLITE_OK)
        return std::unexpected(errorOf(db));
    const QByteArray key = descriptionSortKey(description);
    sqlite3_bind_int64(s.stmt, 1, id);
    sqlite3_bind_blob(s.stmt, 2, key.constData(), static_cast<int>(key.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(s.stmt) != SQLITE_DONE) return std::unexpected(errorOf(db));
    return {};
}

std::expected<void, QString> fillMissingSortKeys(sqlite3* db) {
    std::vector<std::pair<long long, QString>> missing;
    {
        Statement s;
        if (sqlite3_prepare_v2(db,
                               "SELECT o.id, m.Description FROM sono_order o JOIN Main m ON m.rowid = o.id "
                               "WHERE o.key IS NULL",
                               -1, &s.stmt, nullptr) != SQLITE_OK)
            return std::unexpected(errorOf(db));
        int rc;
        while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW)
            missing.emplace_back(
                sqlite3_column_int64(s.stmt, 0),
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 1)),
                                  sqlite3_column_bytes(s.stmt, 1)));
        if (rc != SQLITE_DONE) return std::unexpected(errorOf(db));
    }
    if (missing.empty()) return {};
    if (auto begun = exec(db, "SAVEPOINT sono_keys"); !begun) return begun;
    for (const auto& [id, description] : missing) {
        if (auto stored = storeSortKey(db, id, description); !stored) {
            // The failure to store is what the caller needs to hear; a failed rollback adds nothing.
            static_cast<void>(exec(db, "ROLLBACK TO sono_keys; RELEASE sono_keys"));
            return stored;
        }
    }
    return exec(db, "RELEASE sono_keys");
}

std::pair<double, double> singlePrecisionRange(double value) {
    const float f = static_cast<float>(value);
    const float below = std::nextafter(f, -INFINITY);
    const float above = std::nextafter(f, INFINITY);
    // Halfway points round to the neighbour with an even last bit.
    const bool even = (std::bit_cast<std::uint32_t>(f) & 1u) == 0;
    double low = (static_cast<double>(below) + static_cast<double>(f)) / 2;
    double high = (static_cast<double>(f) + static_cast<double>(above)) / 2;
    if (!even) {
        low = std::nextafter(low, INFINITY);
        high = std::nextafter(high, -INFINITY);
    }
    return {low, high};
}

} // namespace sono
