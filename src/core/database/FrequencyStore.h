#pragma once

#include <QString>
#include <array>
#include <expected>
#include <functional>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

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

// The open database and its current record set. The record set holds the row ids of the query's sets
// in list order; a set's columns are read when it is needed, so a million hits cost a few megabytes.
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
    // The whole table is listed only when the record set is first used.
    std::expected<void, QString> refresh(const SearchQuery& query);
    const SearchQuery& query() const { return query_; }

    // The record set.
    int count() const { return static_cast<int>(ids().size()); }
    bool eof() const { return position_ >= count(); }
    void moveFirst() { position_ = 0; }
    void moveNext() {
        if (position_ < count()) ++position_;
    }
    void moveTo(int k) { position_ = (k < 0 || k > count()) ? count() : k; }
    int position() const { return position_; }
    // The current record, read from table Main; nothing at the end of the set.
    const FrequencyRecord* current() const;
    // Record k of the set (an empty record when it can no longer be read).
    FrequencyRecord at(int k) const;
    // The description of record k, all the result list needs.
    QString description(int k) const;

    // Changes reach table Main at once. The record set is left as it was (a refresh shows the change).
    std::expected<void, QString> addRecord(const FrequencyRecord& record);
    std::expected<void, QString> updateCurrent(const FrequencyRecord& record);
    std::expected<void, QString> deleteCurrent();

    // Number of rows in table Main.
    std::expected<long long, QString> tableRowCount();
    sqlite3* handle() const { return db_; }

private:
    QString lastError() const;
    const std::vector<long long>& ids() const;
    std::expected<void, QString> catchUp() const;
    std::expected<const std::vector<long long>*, QString> listOrder() const;
    std::expected<std::vector<long long>, QString> inListOrder(std::vector<long long> hits) const;
    std::expected<std::vector<long long>, QString> byKeys(const QByteArray& sql,
                                                          const std::function<void(sqlite3_stmt*)>& bind,
                                                          const std::vector<long long>* hits) const;
    long long setCount() const;
    std::expected<std::vector<long long>, QString> descriptionIds(const QString& text, bool begins) const;
    std::expected<std::vector<long long>, QString>
    column(const QByteArray& sql, const std::function<void(sqlite3_stmt*)>& bind) const;
    std::optional<FrequencyRecord> read(long long id) const;
    // Moves a set written by Sono to its place in the cached list order (nothing: it was deleted).
    void placeInOrder(long long id, const std::optional<QByteArray>& key) const;
    std::expected<void, QString> write(const std::function<std::expected<long long, QString>()>& change,
                                       const QString* description);

    sqlite3* db_ = nullptr;
    QString path_;
    SearchQuery query_;
    // The record set: ids in list order; the whole table's order is read on first use.
    mutable std::vector<long long> ids_;
    mutable bool wholeTablePending_ = false;
    int position_ = 0;
    // Every set in list order, kept until the table changes.
    mutable std::optional<std::vector<long long>> order_;
    mutable long long dataVersion_ = -1;
    // The record last read for current().
    mutable std::optional<std::pair<long long, FrequencyRecord>> currentRecord_;
    mutable sqlite3_stmt* readRecord_ = nullptr;
    mutable sqlite3_stmt* readDescription_ = nullptr;
};

// An engine error on the database file at `path` in words a user can act on: a locked or a damaged file
// is named, with the way out; any other error gives `otherwise`.
QString databaseErrorText(const QString& path, int code, const QString& engineText, const QString& otherwise);

// Registers Sono's text folding on a connection (used by open()).
void registerSonoFunctions(sqlite3* db);

} // namespace sono
