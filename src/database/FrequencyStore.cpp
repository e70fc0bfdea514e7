#include "database/FrequencyStore.h"

#include "common/NumberText.h"
#include "database/SortKey.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace sono {

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

// sono_contains(column, text) and sono_begins(column, text): literal, case-insensitive for every
// script, null for a null column (a missing comment matches nothing).
// Plain ASCII on both sides folds by lower-casing bytes, without building strings: the common case,
// and what keeps a search over 100,000 sets fast. Anything else takes the full Unicode path.
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

template <bool Begins> void matchFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString& needle = foldedArgument(context, argv[1], 1);
    const std::string_view haystack = bytesOf(argv[0]);
    if (const auto ascii = asciiNeedle(needle);
        ascii && isAscii(Begins ? haystack.substr(0, ascii->size()) : haystack)) {
        sqlite3_result_int(
            context, (Begins ? asciiBegins(haystack, *ascii) : asciiContains(haystack, *ascii)) ? 1 : 0);
        return;
    }
    const QString folded = columnText(argv[0]).toCaseFolded();
    sqlite3_result_int(context, (Begins ? folded.startsWith(needle) : folded.contains(needle)) ? 1 : 0);
}

// sono_freq_any(value, F1, ..., F40): some slot holds the value as the program carries it (single
// precision), so 528 finds 528 and not 5280 or 528.5, and 7.83 finds 7.83 however it was stored.
void freqAnyFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    const float wanted = static_cast<float>(sqlite3_value_double(argv[0]));
    for (int i = 1; i < argc; ++i) {
        const int type = sqlite3_value_type(argv[i]);
        if (type == SQLITE_NULL) continue;
        double slot = 0;
        if (type == SQLITE_TEXT) {
            slot = leadingNumber(columnText(argv[i]));
        } else {
            slot = sqlite3_value_double(argv[i]);
        }
        if (slot > 0 && static_cast<float>(slot) == wanted) {
            sqlite3_result_int(context, 1);
            return;
        }
    }
    sqlite3_result_int(context, 0);
}

int nocaseCollation(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const QByteArray left =
        descriptionSortKey(QString::fromUtf8(static_cast<const char*>(a), static_cast<qsizetype>(lengthA)));
    const QByteArray right =
        descriptionSortKey(QString::fromUtf8(static_cast<const char*>(b), static_cast<qsizetype>(lengthB)));
    return left < right ? -1 : (right < left ? 1 : 0);
}

const char* const SelectColumns = "SELECT rowid, Description, Comments, F1, F2, F3, F4, F5, F6, F7, F8, F9, "
                                  "F10, F11, F12, F13, F14, F15, F16, "
                                  "F17, F18, F19, F20, F21, F22, F23, F24, F25, F26, F27, F28, F29, F30, "
                                  "F31, F32, F33, F34, F35, F36, F37, F38, "
                                  "F39, F40 FROM Main";

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

} // namespace

void registerSonoFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "sono_contains", 2, flags, nullptr, matchFunction<false>, nullptr, nullptr);
    sqlite3_create_function(db, "sono_begins", 2, flags, nullptr, matchFunction<true>, nullptr, nullptr);
    sqlite3_create_function(db, "sono_freq_any", 41, flags, nullptr, freqAnyFunction, nullptr, nullptr);
    sqlite3_create_collation(db, "SONO_NOCASE", SQLITE_UTF8, nullptr, nocaseCollation);
}

FrequencyStore::~FrequencyStore() {
    close();
}

QString FrequencyStore::lastError() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("the database is not open");
}

std::expected<void, QString> FrequencyStore::open(const QString& path) {
    close();
    if (!QFileInfo(path).isFile())
        return std::unexpected(QStringLiteral("The database file %1 does not exist.").arg(path));
    sqlite3* db = nullptr;
    // Never create: a missing file is an error, not a new empty database.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    auto fail = [&](const QString& why) {
        sqlite3_close(db);
        return std::unexpected(
            QStringLiteral("%1 is not a frequency database Sono can open: %2").arg(path, why));
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
    db_ = db;
    path_ = path;
    return {};
}

void FrequencyStore::close() {
    rows_.clear();
    position_ = 0;
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

std::expected<void, QString> FrequencyStore::refresh(const SearchQuery& query) {
    if (!db_) return std::unexpected(lastError());
    QByteArray sql = SelectColumns;
    switch (query.kind) {
    case SearchQuery::Kind::All:
        break;
    case SearchQuery::Kind::Letter:
        sql += " WHERE sono_begins(Description, ?1)";
        break;
    case SearchQuery::Kind::Find:
        if (query.frequencies) {
            sql += " WHERE sono_freq_any(?1";
            for (int slot = 1; slot <= 40; ++slot)
                sql += ", F" + QByteArray::number(slot);
            sql += ")";
        } else if (query.description && query.comments) {
            sql += " WHERE sono_contains(Comments, ?1) OR sono_contains(Description, ?1)";
        } else if (query.comments) {
            sql += " WHERE sono_contains(Comments, ?1)";
        } else {
            sql += " WHERE sono_contains(Description, ?1)";
        }
        break;
    }
    sql += " ORDER BY Description COLLATE SONO_NOCASE, rowid";

    Statement statement;
    if (sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), &statement.stmt, nullptr) !=
        SQLITE_OK)
        return std::unexpected(lastError());
    if (query.kind != SearchQuery::Kind::All) {
        if (query.kind == SearchQuery::Kind::Find && query.frequencies) {
            sqlite3_bind_double(statement.stmt, 1, leadingNumber(query.text));
        } else {
            const QByteArray text = query.text.toUtf8();
            sqlite3_bind_text(statement.stmt, 1, text.constData(), static_cast<int>(text.size()),
                              SQLITE_TRANSIENT);
        }
    }
    std::vector<Row> rows;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(statement.stmt)) == SQLITE_ROW) {
        Row row;
        row.rowid = sqlite3_column_int64(statement.stmt, 0);
        row.record.Description =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.stmt, 1)),
                              sqlite3_column_bytes(statement.stmt, 1));
        if (sqlite3_column_type(statement.stmt, 2) != SQLITE_NULL)
            row.record.Comments =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.stmt, 2)),
                                  sqlite3_column_bytes(statement.stmt, 2));
        for (int slot = 0; slot < 40; ++slot) {
            const int column = 3 + slot;
            const int type = sqlite3_column_type(statement.stmt, column);
            if (type == SQLITE_NULL) continue;
            if (type == SQLITE_TEXT)
                row.record.F[static_cast<size_t>(slot)] = leadingNumber(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement.stmt, column))));
            else
                row.record.F[static_cast<size_t>(slot)] = sqlite3_column_double(statement.stmt, column);
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) return std::unexpected(lastError());
    rows_ = std::move(rows);
    query_ = query;
    position_ = 0;
    return {};
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

std::expected<void, QString> FrequencyStore::addRecord(const FrequencyRecord& record) {
    if (!db_) return std::unexpected(lastError());
    QByteArray sql = "INSERT INTO Main (Description, Comments";
    QByteArray values = "?1, ?2";
    for (int slot = 1; slot <= 40; ++slot) {
        sql += ", F" + QByteArray::number(slot);
        values += ", ?" + QByteArray::number(slot + 2);
    }
    sql += ") VALUES (" + values + ")";
    Statement statement;
    if (sqlite3_prepare_v2(db_, sql.constData(), -1, &statement.stmt, nullptr) != SQLITE_OK)
        return std::unexpected(lastError());
    bindRecord(statement.stmt, record);
    if (sqlite3_step(statement.stmt) != SQLITE_DONE) return std::unexpected(lastError());
    return {};
}

std::expected<void, QString> FrequencyStore::updateCurrent(const FrequencyRecord& record) {
    if (!db_ || eof()) return std::unexpected(QStringLiteral("No record is selected."));
    const QByteArray sql = "UPDATE Main SET " + assignmentList() + " WHERE rowid = ?43";
    Statement statement;
    if (sqlite3_prepare_v2(db_, sql.constData(), -1, &statement.stmt, nullptr) != SQLITE_OK)
        return std::unexpected(lastError());
    bindRecord(statement.stmt, record);
    sqlite3_bind_int64(statement.stmt, 43, rows_[static_cast<size_t>(position_)].rowid);
    if (sqlite3_step(statement.stmt) != SQLITE_DONE) return std::unexpected(lastError());
    rows_[static_cast<size_t>(position_)].record = record;
    return {};
}

std::expected<void, QString> FrequencyStore::deleteCurrent() {
    if (!db_ || eof()) return std::unexpected(QStringLiteral("No record is selected."));
    Statement statement;
    if (sqlite3_prepare_v2(db_, "DELETE FROM Main WHERE rowid = ?1", -1, &statement.stmt, nullptr) !=
        SQLITE_OK)
        return std::unexpected(lastError());
    sqlite3_bind_int64(statement.stmt, 1, rows_[static_cast<size_t>(position_)].rowid);
    if (sqlite3_step(statement.stmt) != SQLITE_DONE) return std::unexpected(lastError());
    return {};
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
