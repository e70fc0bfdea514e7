#pragma once

#include <QString>
#include <array>
#include <expected>
#include <optional>
#include <vector>

struct sqlite3;

namespace sono {

// One row of table Main. A slot holds a frequency when its value is above 0; nothing is a null cell.
struct FrequencyRecord {
    QString Description;
    std::optional<QString> Comments;
    std::array<std::optional<double>, 40> F{};
};

// A search in structured form. Its text() is the query text users and files see (CurrentQuery); the
// store never runs that text: it runs an equivalent statement with the search text bound as a parameter.
struct SearchQuery {
    enum class Kind { All, Letter, Find };
    Kind kind = Kind::All;
    QString text; // the letter, or the search box text as typed
    bool description = true;
    bool comments = false;
    bool frequencies = false;

    static SearchQuery all() { return {}; }
    static SearchQuery letter(const QString& letter) { return {Kind::Letter, letter, true, false, false}; }
    static SearchQuery find(const QString& text, bool description, bool comments, bool frequencies) {
        return {Kind::Find, text, description, comments, frequencies};
    }

    QString sqlText() const;
};

// The column list every query starts with, byte for byte.
QString queryColumnList();

// The open database and its current record set, held in memory in query order so that line k of the
// result list is reached directly.
class FrequencyStore {
public:
    FrequencyStore() = default;
    ~FrequencyStore();
    FrequencyStore(const FrequencyStore&) = delete;
    FrequencyStore& operator=(const FrequencyStore&) = delete;

    // Opens an existing database file; refuses a file that is not a database with table Main.
    std::expected<void, QString> open(const QString& path);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const QString& path() const { return path_; }

    // Runs the query and makes the result the current record set, positioned on its first record.
    std::expected<void, QString> refresh(const SearchQuery& query);
    const SearchQuery& query() const { return query_; }

    // The record set.
    int count() const { return static_cast<int>(rows_.size()); }
    bool eof() const { return position_ >= count(); }
    void moveFirst() { position_ = 0; }
    void moveNext() {
        if (position_ < count()) ++position_;
    }
    void moveTo(int k) { position_ = (k < 0 || k > count()) ? count() : k; }
    int position() const { return position_; }
    // The current record; nothing at the end of the set.
    const FrequencyRecord* current() const {
        return eof() ? nullptr : &rows_[static_cast<size_t>(position_)].record;
    }
    const FrequencyRecord& at(int k) const { return rows_[static_cast<size_t>(k)].record; }

    // Changes reach table Main at once. The record set is left as it was (a refresh shows the change).
    std::expected<void, QString> addRecord(const FrequencyRecord& record);
    std::expected<void, QString> updateCurrent(const FrequencyRecord& record);
    std::expected<void, QString> deleteCurrent();

    // Number of rows in table Main.
    std::expected<long long, QString> tableRowCount();
    sqlite3* handle() const { return db_; }

private:
    struct Row {
        long long rowid = 0;
        FrequencyRecord record;
    };
    QString lastError() const;

    sqlite3* db_ = nullptr;
    QString path_;
    SearchQuery query_;
    std::vector<Row> rows_;
    int position_ = 0;
};

// An engine error on the database file at `path` in words a user can act on: a locked or a damaged file
// is named, with the way out; any other error gives `otherwise`.
QString databaseErrorText(const QString& path, int code, const QString& engineText, const QString& otherwise);

// Registers Sono's text folding and frequency matching on a connection (used by open()).
void registerSonoFunctions(sqlite3* db);

} // namespace sono
