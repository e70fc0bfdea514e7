#include "core/database/FrequencyStore.h"

#include "core/common/NumberText.h"
#include "core/database/SearchTables.h"
#include "core/database/SortKey.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace sono {

namespace {

const char* const SelectColumns =
    "SELECT Description, Comments, F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, "
    "F12, F13, F14, F15, F16, F17, F18, F19, F20, F21, F22, F23, F24, F25, F26, "
    "F27, F28, F29, F30, F31, F32, F33, F34, F35, F36, F37, F38, F39, F40 "
    "FROM Main WHERE rowid = ?1";

} // namespace

QString queryColumnList() {
    QString list = QStringLiteral("SELECT DISTINCTROW Main.Description, Main.Comments,");
    for (int group = 0; group < 4; ++group) {
        for (int slot = group * 10 + 1; slot <= group * 10 + 10; ++slot)
            list += QStringLiteral(" Main.F%1,").arg(slot);
        list.chop(1);
        list += group < 3 ? QStringLiteral(", ") : QStringLiteral(" ");
    }
    return list;
}

QString SearchQuery::sqlText() const {
    const QString head = queryColumnList();
    const QString tail = QStringLiteral(")) ORDER BY Main.Description;");
    switch (kind) {
    case Kind::All:
        return head + QStringLiteral(" From Main ORDER BY Main.Description;");
    case Kind::Letter:
        return head + QStringLiteral(" From Main WHERE ((Main.Description Like '") + text +
               QStringLiteral("*'") + tail;
    case Kind::Find:
        break;
    }
    if (frequencies) {
        QString where = QStringLiteral(" From Main WHERE ((Main.F1 Like ") + text;
        for (int slot = 2; slot <= 40; ++slot)
            where += QStringLiteral(" Or Main.F%1 Like ").arg(slot) + text;
        return head + where + tail;
    }
    const QString p1 = QStringLiteral("'*") + text + u'\'';
    const QString p2 = QStringLiteral("'*") + text + QStringLiteral("*'");
    const QString p3 = u'\'' + text + QStringLiteral("*'");
    auto three = [&](const QString& column, bool first) {
        return (first ? QString() : QStringLiteral(" Or ")) + column + QStringLiteral(" Like ") + p1 +
               QStringLiteral(" Or ") + column + QStringLiteral(" Like ") + p2 + QStringLiteral(" Or ") +
               column + QStringLiteral(" Like ") + p3;
    };
    QString where = QStringLiteral(" From Main WHERE ((");
    if (comments) where += three(QStringLiteral("Main.Comments"), true);
    if (description) where += three(QStringLiteral("Main.Description"), !comments);
    return head + where + tail;
}

namespace {

QString columnText(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

QString columnText(sqlite3_stmt* stmt, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                             sqlite3_column_bytes(stmt, column));
}

// Folded search text is computed once per statement and kept with the statement.
const QString& foldedArgument(sqlite3_context* context, sqlite3_value* value, int index) {
    auto* cached = static_cast<QString*>(sqlite3_get_auxdata(context, index));
    if (!cached) {
        cached = new QString(columnText(value).toCaseFolded());
        sqlite3_set_auxdata(context, index, cached, [](void* p) { delete static_cast<QString*>(p); });
        cached = static_cast<QString*>(sqlite3_get_auxdata(context, index));
        if (!cached) {
            static thread_local QString fallback;
            fallback = columnText(value).toCaseFolded();
            return fallback;
        }
    }
    return *cached;
}

// Text matches are literal and case-insensitive for every script. Plain ASCII on both sides folds by
// lower-casing bytes, without building strings: the common case, and what keeps a search over a million
// sets fast. Anything else takes the full Unicode path.
bool isAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view bytesOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value)))
                : std::string_view();
}

// The folded needle is ASCII lower case when it is plain ASCII.
std::optional<std::string> asciiNeedle(const QString& folded) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(folded.size()));
    for (const QChar c : folded) {
        if (c.unicode() >= 0x80) return std::nullopt;
        bytes += static_cast<char>(c.unicode());
    }
    return bytes;
}

bool asciiContains(std::string_view haystack, std::string_view needle) {
    const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                                [](char a, char b) { return lowerAscii(a) == b; });
    return it != haystack.end() || needle.empty();
}

bool asciiBegins(std::string_view haystack, std::string_view needle) {
    if (haystack.size() < needle.size()) return false;
    for (size_t i = 0; i < needle.size(); ++i)
        if (lowerAscii(haystack[i]) != needle[i]) return false;
    return true;
}

template <bool Begins>
bool matches(std::string_view haystack, const QString& needle, const std::optional<std::string>& ascii) {
    if (ascii && isAscii(Begins ? haystack.substr(0, ascii->size()) : haystack))
        return Begins ? asciiBegins(haystack, *ascii) : asciiContains(haystack, *ascii);
    const QString folded =
        QString::fromUtf8(haystack.data(), static_cast<qsizetype>(haystack.size())).toCaseFolded();
    return Begins ? folded.startsWith(needle) : folded.contains(needle);
}

// sono_contains(column, text): null for a null column (a missing comment matches nothing).
void containsFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString& needle = foldedArgument(context, argv[1], 1);
    sqlite3_result_int(context, matches<false>(bytesOf(argv[0]), needle, asciiNeedle(needle)) ? 1 : 0);
}

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

// A cached statement, reset after each use so that it holds no lock on the file.
struct Reset {
    sqlite3_stmt* stmt;
    ~Reset() {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
};

double slotValue(sqlite3_stmt* stmt, int column) {
    if (sqlite3_column_type(stmt, column) == SQLITE_TEXT) return leadingNumber(columnText(stmt, column));
    return sqlite3_column_double(stmt, column);
}

// The smallest key above every key that starts with `prefix`; empty when there is none.
QByteArray prefixEnd(QByteArray prefix) {
    while (!prefix.isEmpty() && static_cast<unsigned char>(prefix.back()) == 0xFF)
        prefix.chop(1);
    if (!prefix.isEmpty()) prefix.back() = static_cast<char>(prefix.back() + 1);
    return prefix;
}

// Hits (maybe repeated) are put in list order by the keys themselves while they are few or a small
// share of all sets (a seek each, cheaper than reading the whole order); a larger result walks the
// whole list order once and keeps it.
constexpr size_t FewHits = 4000;
constexpr long long KeyedShare = 8;

} // namespace

void registerSonoFunctions(sqlite3* db) {
    sqlite3_create_function(db, "sono_contains", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            containsFunction, nullptr, nullptr);
}

FrequencyStore::~FrequencyStore() {
    close();
}

QString databaseErrorText(const QString& path, int code, const QString& engineText,
                          const QString& otherwise) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("%1 is locked by another program — close it and try again.").arg(path);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("%1 is damaged (%2). The file was not changed.\n\n"
                              "Restore freqs.mdb from a backup, or rescue the records that can still be "
                              "read: in a terminal, in the folder of the file, run\n"
                              "    sqlite3 freqs.mdb \".recover\" | sqlite3 recovered.mdb\n"
                              "then move freqs.mdb away and rename recovered.mdb to freqs.mdb.")
            .arg(path, engineText);
    default:
        return otherwise;
    }
}

QString FrequencyStore::lastError() const {
    if (!db_) return QStringLiteral("the database is not open");
    const QString engineText = QString::fromUtf8(sqlite3_errmsg(db_));
    return databaseErrorText(path_, sqlite3_extended_errcode(db_), engineText, engineText);
}

std::expected<void, QString> FrequencyStore::open(const QString& path) {
    close();
    if (!QFileInfo(path).isFile())
        return std::unexpected(QStringLiteral("The database file %1 does not exist.").arg(path));
    sqlite3* db = nullptr;
    // Never create: a missing file is an error, not a new empty database.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    auto fail = [&](const QString& why) {
        const int code = db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
        sqlite3_close(db);
        return std::unexpected(databaseErrorText(
            path, code, why,
            QStringLiteral("%1 is not a frequency database Sono can open: %2").arg(path, why)));
    };
    if (rc != SQLITE_OK)
        return fail(db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"));
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    {
        Statement check;
        if (sqlite3_prepare_v2(db, "SELECT Description, Comments, F1, F40 FROM Main LIMIT 1", -1, &check.stmt,
                               nullptr) != SQLITE_OK)
            return fail(QString::fromUtf8(sqlite3_errmsg(db)));
        const int step = sqlite3_step(check.stmt);
        if (step != SQLITE_ROW && step != SQLITE_DONE) return fail(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    registerSonoFunctions(db);
    if (auto prepared = prepareSearchTables(db); !prepared) return fail(prepared.error());
    db_ = db;
    path_ = path;
    return {};
}

void FrequencyStore::close() {
    ids_.clear();
    wholeTablePending_ = false;
    order_.reset();
    currentRecord_.reset();
    dataVersion_ = -1;
    position_ = 0;
    sqlite3_finalize(readRecord_);
    sqlite3_finalize(readDescription_);
    readRecord_ = readDescription_ = nullptr;
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

std::expected<void, QString> FrequencyStore::catchUp() const {
    Statement version;
    if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &version.stmt, nullptr) != SQLITE_OK ||
        sqlite3_step(version.stmt) != SQLITE_ROW)
        return std::unexpected(lastError());
    const long long now = sqlite3_column_int64(version.stmt, 0);
    if (now == dataVersion_) return {};
    // Another program wrote to the file: its new descriptions need their sort keys.
    order_.reset();
    currentRecord_.reset();
    if (auto filled = fillMissingSortKeys(db_); !filled) return filled;
    dataVersion_ = now;
    return {};
}

std::expected<std::vector<long long>, QString>
FrequencyStore::column(const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& bind) const {
    Statement s;
    if (sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), &s.stmt, nullptr) != SQLITE_OK)
        return std::unexpected(lastError());
    if (bind) bind(s.stmt);
    std::vector<long long> values;
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW)
        values.push_back(sqlite3_column_int64(s.stmt, 0));
    if (rc != SQLITE_DONE) return std::unexpected(lastError());
    return values;
}

std::expected<const std::vector<long long>*, QString> FrequencyStore::listOrder() const {
    if (!order_) {
        auto order = column("SELECT id FROM sono_order ORDER BY key, id", {});
        if (!order) return std::unexpected(order.error());
        order_ = std::move(*order);
    }
    return &*order_;
}

long long FrequencyStore::setCount() const {
    Statement s;
    if (sqlite3_prepare_v2(db_, "SELECT value FROM sono_meta WHERE name = 'sets'", -1, &s.stmt, nullptr) !=
            SQLITE_OK ||
        sqlite3_step(s.stmt) != SQLITE_ROW)
        return 0;
    return sqlite3_column_int64(s.stmt, 0);
}

// Hits in list order by their own keys, which are held in one buffer. The statement gives (id, key)
// rows: once for each of `hits` bound as ?1, or all its rows when there is no such list. A set found
// twice is listed once.
std::expected<std::vector<long long>, QString>
FrequencyStore::byKeys(const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& bind,
                       const std::vector<long long>* hits) const {
    Statement s;
    if (sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), &s.stmt, nullptr) != SQLITE_OK)
        return std::unexpected(lastError());
    if (bind) bind(s.stmt);
    // The first eight bytes of the key as a number decide most comparisons without a memcmp.
    struct Entry {
        std::uint64_t head;
        std::uint32_t offset;
        std::uint32_t size;
        long long id;
    };
    std::string keys;
    std::vector<Entry> entries;
    if (hits) entries.reserve(hits->size());
    const auto collect = [&] {
        int rc;
        while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
            const auto size = static_cast<size_t>(sqlite3_column_bytes(s.stmt, 1));
            const auto* key = static_cast<const unsigned char*>(sqlite3_column_blob(s.stmt, 1));
            std::uint64_t head = 0;
            for (size_t i = 0; i < 8; ++i)
                head = (head << 8) | (i < size ? key[i] : 0u);
            entries.push_back({head, static_cast<std::uint32_t>(keys.size()),
                               static_cast<std::uint32_t>(size), sqlite3_column_int64(s.stmt, 0)});
            keys.append(reinterpret_cast<const char*>(key), size);
        }
        return rc == SQLITE_DONE;
    };
    bool read = true;
    if (hits) {
        // One read transaction for all the seeks, not a lock and unlock of the file for each.
        if (sqlite3_exec(db_, "SAVEPOINT sono_keys_read", nullptr, nullptr, nullptr) != SQLITE_OK)
            return std::unexpected(lastError());
        for (const long long id : *hits) {
            sqlite3_bind_int64(s.stmt, 1, id);
            read = collect();
            sqlite3_reset(s.stmt);
            if (!read) break;
        }
    } else {
        read = collect();
    }
    const QString why = lastError();
    if (hits) sqlite3_exec(db_, "RELEASE sono_keys_read", nullptr, nullptr, nullptr);
    if (!read) return std::unexpected(why);
    const std::string_view all(keys);
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.head != b.head) return a.head < b.head;
        const int order = all.substr(a.offset, a.size).compare(all.substr(b.offset, b.size));
        return order != 0 ? order < 0 : a.id < b.id;
    });
    std::vector<long long> ordered;
    ordered.reserve(entries.size());
    for (const Entry& entry : entries)
        if (ordered.empty() || ordered.back() != entry.id) ordered.push_back(entry.id);
    return ordered;
}

std::expected<std::vector<long long>, QString>
FrequencyStore::inListOrder(std::vector<long long> hits) const {
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    if (hits.empty()) return hits;
    if (!order_ && (hits.size() <= FewHits || static_cast<long long>(hits.size()) <= setCount() / KeyedShare))
        return byKeys("SELECT id, key FROM sono_order WHERE id = ?1", {}, &hits);
    auto order = listOrder();
    if (!order) return std::unexpected(order.error());
    std::vector<long long> ordered;
    ordered.reserve(hits.size());
    const long long highest = hits.back();
    if (hits.front() >= 0 && highest < (1LL << 28)) {
        std::vector<bool> hit(static_cast<size_t>(highest) + 1);
        for (const long long id : hits)
            hit[static_cast<size_t>(id)] = true;
        for (const long long id : **order)
            if (id >= 0 && id <= highest && hit[static_cast<size_t>(id)]) ordered.push_back(id);
    } else {
        for (const long long id : **order)
            if (std::binary_search(hits.begin(), hits.end(), id)) ordered.push_back(id);
    }
    return ordered;
}

// Descriptions are found in the sort keys, which hold them (after the first 0 byte, or as the key
// itself): one walk of the key index, already in list order, and never a read of table Main.
std::expected<std::vector<long long>, QString> FrequencyStore::descriptionIds(const QString& text,
                                                                              bool begins) const {
    // A beginning narrows the walk to the keys that start the same way with case and accents ignored.
    const QByteArray low = begins ? primarySortKey(text) : QByteArray();
    const QByteArray high = prefixEnd(low);
    QByteArray sql = "SELECT id, key FROM sono_order WHERE key >= ?1";
    if (!high.isEmpty()) sql += " AND key < ?2";
    sql += " ORDER BY key, id";
    Statement s;
    if (sqlite3_prepare_v2(db_, sql.constData(), -1, &s.stmt, nullptr) != SQLITE_OK)
        return std::unexpected(lastError());
    sqlite3_bind_blob(s.stmt, 1, low.constData(), static_cast<int>(low.size()), SQLITE_TRANSIENT);
    if (!high.isEmpty())
        sqlite3_bind_blob(s.stmt, 2, high.constData(), static_cast<int>(high.size()), SQLITE_TRANSIENT);
    // The match itself ignores only case, as the query text says.
    const QString needle = text.toCaseFolded();
    const std::optional<std::string> ascii = asciiNeedle(needle);
    std::vector<long long> ids;
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        std::string_view key(static_cast<const char*>(sqlite3_column_blob(s.stmt, 1)),
                             static_cast<size_t>(sqlite3_column_bytes(s.stmt, 1)));
        if (const size_t zero = key.find('\0'); zero != std::string_view::npos) key.remove_prefix(zero + 1);
        if (begins ? matches<true>(key, needle, ascii) : matches<false>(key, needle, ascii))
            ids.push_back(sqlite3_column_int64(s.stmt, 0));
    }
    if (rc != SQLITE_DONE) return std::unexpected(lastError());
    return ids;
}

std::expected<void, QString> FrequencyStore::refresh(const SearchQuery& query) {
    if (!db_) return std::unexpected(lastError());
    if (auto caught = catchUp(); !caught) return caught;
    std::expected<std::vector<long long>, QString> found;
    switch (query.kind) {
    case SearchQuery::Kind::All:
        found = std::vector<long long>();
        break;
    case SearchQuery::Kind::Letter:
        found = descriptionIds(query.text, true);
        break;
    case SearchQuery::Kind::Find:
        if (query.frequencies) {
            const auto [low, high] = singlePrecisionRange(leadingNumber(query.text));
            const auto bindRange = [&](sqlite3_stmt* s) {
                sqlite3_bind_double(s, 1, low);
                sqlite3_bind_double(s, 2, high);
            };
            if (!order_) {
                // Without the list order at hand, a share of the sets is ordered by one join with
                // their keys.
                const auto hits =
                    column("SELECT count(*) FROM sono_freq WHERE freq >= ?1 AND freq <= ?2", bindRange);
                if (!hits) return std::unexpected(hits.error());
                if (hits->front() <= static_cast<long long>(FewHits) ||
                    hits->front() <= setCount() / KeyedShare) {
                    found = byKeys("SELECT o.id, o.key FROM sono_freq f JOIN sono_order o ON o.id = f.id "
                                   "WHERE f.freq >= ?1 AND f.freq <= ?2",
                                   bindRange, nullptr);
                    break;
                }
            }
            found = column("SELECT id FROM sono_freq WHERE freq >= ?1 AND freq <= ?2", bindRange);
        } else if (query.description && !query.comments && !query.text.isEmpty()) {
            found = descriptionIds(query.text, false);
            break;
        } else {
            // An empty text lists the sets that have a description at all, which only table Main tells.
            QByteArray where;
            if (query.comments) where = "sono_contains(Comments, ?1)";
            if (query.description)
                where += QByteArray(where.isEmpty() ? "" : " OR ") + "sono_contains(Description, ?1)";
            const QByteArray text = query.text.toUtf8();
            found = column("SELECT rowid FROM Main WHERE " + where, [&](sqlite3_stmt* s) {
                sqlite3_bind_text(s, 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            });
        }
        if (found) found = inListOrder(std::move(*found));
        break;
    }
    if (!found) return std::unexpected(found.error());
    ids_ = std::move(*found);
    wholeTablePending_ = query.kind == SearchQuery::Kind::All;
    query_ = query;
    position_ = 0;
    currentRecord_.reset();
    return {};
}

const std::vector<long long>& FrequencyStore::ids() const {
    if (wholeTablePending_ && db_) {
        wholeTablePending_ = false;
        if (catchUp()) {
            if (auto order = listOrder()) ids_ = **order;
        }
    }
    return ids_;
}

std::optional<FrequencyRecord> FrequencyStore::read(long long id) const {
    if (!db_) return std::nullopt;
    if (!readRecord_ && sqlite3_prepare_v3(db_, SelectColumns, -1, SQLITE_PREPARE_PERSISTENT, &readRecord_,
                                           nullptr) != SQLITE_OK)
        return std::nullopt;
    const Reset reset{readRecord_};
    sqlite3_bind_int64(readRecord_, 1, id);
    if (sqlite3_step(readRecord_) != SQLITE_ROW) return std::nullopt;
    FrequencyRecord record;
    record.Description = columnText(readRecord_, 0);
    if (sqlite3_column_type(readRecord_, 1) != SQLITE_NULL) record.Comments = columnText(readRecord_, 1);
    for (int slot = 0; slot < 40; ++slot)
        if (sqlite3_column_type(readRecord_, 2 + slot) != SQLITE_NULL)
            record.F[static_cast<size_t>(slot)] = slotValue(readRecord_, 2 + slot);
    return record;
}

const FrequencyRecord* FrequencyStore::current() const {
    if (eof()) return nullptr;
    const long long id = ids()[static_cast<size_t>(position_)];
    if (!currentRecord_ || currentRecord_->first != id) {
        auto record = read(id);
        if (!record) return nullptr;
        currentRecord_.emplace(id, std::move(*record));
    }
    return &currentRecord_->second;
}

FrequencyRecord FrequencyStore::at(int k) const {
    if (k < 0 || k >= count()) return {};
    return read(ids()[static_cast<size_t>(k)]).value_or(FrequencyRecord{});
}

QString FrequencyStore::description(int k) const {
    if (!db_ || k < 0 || k >= count()) return {};
    if (!readDescription_ &&
        sqlite3_prepare_v3(db_, "SELECT Description FROM Main WHERE rowid = ?1", -1,
                           SQLITE_PREPARE_PERSISTENT, &readDescription_, nullptr) != SQLITE_OK)
        return {};
    const Reset reset{readDescription_};
    sqlite3_bind_int64(readDescription_, 1, ids()[static_cast<size_t>(k)]);
    if (sqlite3_step(readDescription_) != SQLITE_ROW) return {};
    return columnText(readDescription_, 0);
}

namespace {

void bindRecord(sqlite3_stmt* stmt, const FrequencyRecord& record) {
    const QByteArray description = record.Description.toUtf8();
    sqlite3_bind_text(stmt, 1, description.constData(), static_cast<int>(description.size()),
                      SQLITE_TRANSIENT);
    if (record.Comments) {
        const QByteArray comments = record.Comments->toUtf8();
        sqlite3_bind_text(stmt, 2, comments.constData(), static_cast<int>(comments.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(stmt, 2);
    }
    for (int slot = 0; slot < 40; ++slot) {
        const auto& value = record.F[static_cast<size_t>(slot)];
        if (value)
            sqlite3_bind_double(stmt, 3 + slot, *value);
        else
            sqlite3_bind_null(stmt, 3 + slot);
    }
}

QByteArray assignmentList() {
    QByteArray sql = "Description = ?1, Comments = ?2";
    for (int slot = 1; slot <= 40; ++slot)
        sql += ", F" + QByteArray::number(slot) + " = ?" + QByteArray::number(slot + 2);
    return sql;
}

} // namespace

// One change of table Main and the sort key of the set it wrote, applied together or not at all.
std::expected<void, QString>
FrequencyStore::write(const std::function<std::expected<long long, QString>()>& change,
                      const QString* description) {
    if (!db_) return std::unexpected(lastError());
    if (auto caught = catchUp(); !caught) return caught;
    if (sqlite3_exec(db_, "SAVEPOINT sono_write", nullptr, nullptr, nullptr) != SQLITE_OK)
        return std::unexpected(lastError());
    auto id = change();
    std::expected<void, QString> done;
    if (!id)
        done = std::unexpected(id.error());
    else if (description)
        done = storeSortKey(db_, *id, *description);
    if (!done) {
        sqlite3_exec(db_, "ROLLBACK TO sono_write", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "RELEASE sono_write", nullptr, nullptr, nullptr);
        return done;
    }
    if (sqlite3_exec(db_, "RELEASE sono_write", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString why = lastError();
        sqlite3_exec(db_, "ROLLBACK TO sono_write", nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "RELEASE sono_write", nullptr, nullptr, nullptr);
        return std::unexpected(why);
    }
    // The list order follows Sono's own change instead of being read again.
    placeInOrder(*id, description ? std::optional(descriptionSortKey(*description)) : std::nullopt);
    currentRecord_.reset();
    return {};
}

void FrequencyStore::placeInOrder(long long id, const std::optional<QByteArray>& key) const {
    if (!order_) return;
    std::vector<long long>& order = *order_;
    if (const auto old = std::find(order.begin(), order.end(), id); old != order.end()) order.erase(old);
    if (!key) return;
    Statement s;
    if (sqlite3_prepare_v2(db_, "SELECT key FROM sono_order WHERE id = ?1", -1, &s.stmt, nullptr) !=
        SQLITE_OK) {
        order_.reset();
        return;
    }
    bool failed = false;
    const auto before = [&](long long other, long long) {
        sqlite3_bind_int64(s.stmt, 1, other);
        QByteArray otherKey;
        if (sqlite3_step(s.stmt) == SQLITE_ROW)
            otherKey = QByteArray(static_cast<const char*>(sqlite3_column_blob(s.stmt, 0)),
                                  sqlite3_column_bytes(s.stmt, 0));
        else
            failed = true;
        sqlite3_reset(s.stmt);
        return std::pair(otherKey, other) < std::pair(*key, id);
    };
    const auto at = std::lower_bound(order.begin(), order.end(), id, before);
    if (failed)
        order_.reset();
    else
        order.insert(at, id);
}

std::expected<void, QString> FrequencyStore::addRecord(const FrequencyRecord& record) {
    QByteArray sql = "INSERT INTO Main (Description, Comments";
    QByteArray values = "?1, ?2";
    for (int slot = 1; slot <= 40; ++slot) {
        sql += ", F" + QByteArray::number(slot);
        values += ", ?" + QByteArray::number(slot + 2);
    }
    sql += ") VALUES (" + values + ")";
    return write(
        [&]() -> std::expected<long long, QString> {
            Statement statement;
            if (sqlite3_prepare_v2(db_, sql.constData(), -1, &statement.stmt, nullptr) != SQLITE_OK)
                return std::unexpected(lastError());
            bindRecord(statement.stmt, record);
            if (sqlite3_step(statement.stmt) != SQLITE_DONE) return std::unexpected(lastError());
            return sqlite3_last_insert_rowid(db_);
        },
        &record.Description);
}

std::expected<void, QString> FrequencyStore::updateCurrent(const FrequencyRecord& record) {
    if (!db_ || eof()) return std::unexpected(QStringLiteral("No record is selected."));
    const long long id = ids()[static_cast<size_t>(position_)];
    return write(
        [&]() -> std::expected<long long, QString> {
            const QByteArray sql = "UPDATE Main SET " + assignmentList() + " WHERE rowid = ?43";
            Statement statement;
            if (sqlite3_prepare_v2(db_, sql.constData(), -1, &statement.stmt, nullptr) != SQLITE_OK)
                return std::unexpected(lastError());
            bindRecord(statement.stmt, record);
            sqlite3_bind_int64(statement.stmt, 43, id);
            if (sqlite3_step(statement.stmt) != SQLITE_DONE) return std::unexpected(lastError());
            return id;
        },
        &record.Description);
}

std::expected<void, QString> FrequencyStore::deleteCurrent() {
    if (!db_ || eof()) return std::unexpected(QStringLiteral("No record is selected."));
    const long long id = ids()[static_cast<size_t>(position_)];
    return write(
        [&]() -> std::expected<long long, QString> {
            Statement statement;
            if (sqlite3_prepare_v2(db_, "DELETE FROM Main WHERE rowid = ?1", -1, &statement.stmt, nullptr) !=
                SQLITE_OK)
                return std::unexpected(lastError());
            sqlite3_bind_int64(statement.stmt, 1, id);
            if (sqlite3_step(statement.stmt) != SQLITE_DONE) return std::unexpected(lastError());
            return id;
        },
        nullptr);
}

std::expected<long long, QString> FrequencyStore::tableRowCount() {
    if (!db_) return std::unexpected(lastError());
    Statement statement;
    if (sqlite3_prepare_v2(db_, "SELECT count(*) FROM Main", -1, &statement.stmt, nullptr) != SQLITE_OK ||
        sqlite3_step(statement.stmt) != SQLITE_ROW)
        return std::unexpected(lastError());
    return sqlite3_column_int64(statement.stmt, 0);
}

} // namespace sono
