#pragma once

#include <QByteArray>
#include <QString>
#include <expected>
#include <utility>

struct sqlite3;

namespace sono {

// Sono's own additions to freqs.mdb, next to table Main (whose columns stay as they are):
//   sono_order  set → sort key of its description (index on the key: the list order, letter searches)
//   sono_freq   frequency → set (frequency Find)
//   sono_meta   the version of these additions and the number of sets they describe
// Triggers written in plain SQL keep sono_freq current for every writer, the sqlite3 tool included; a
// description written by another program gets an empty sort key, which Sono fills before it searches.

// Creates the additions when they are missing, of another version or do not match table Main, fills
// missing sort keys, and returns the number of sets. Call on an open, checked connection.
std::expected<long long, QString> prepareSearchTables(sqlite3* db);

// Computes the sort keys that writers other than Sono left empty.
std::expected<void, QString> fillMissingSortKeys(sqlite3* db);

// Stores the sort key of one set (after Sono's own insert or update, in the same transaction).
std::expected<void, QString> storeSortKey(sqlite3* db, long long id, const QString& description);

// The stored values that the program carries as the same single-precision number as `value`:
// 528 finds 528 however it was written, and neither 5280 nor 528.5.
std::pair<double, double> singlePrecisionRange(double value);

} // namespace sono
