#pragma once

#include "database/FrequencyStore.h"

#include <QString>
#include <expected>
#include <functional>

namespace sono {

inline const QString RepairedText = QStringLiteral("FREQS.MDB file successfully repaired and compacted.");

struct RepairSteps {
    // Called with the path of the new copy as soon as it is written, before it is checked (tests
    // damage it here to prove that a bad copy never replaces the database).
    std::function<void(const QString& copyPath)> afterCompact;
};

// Repair and compact: closes the store, checks the database, writes a compacted copy to `copyPath`,
// checks the copy (integrity and the same number of rows) and renames it over `databasePath` in one
// step. Whatever happens, the store is afterwards open on `databasePath` with the full-table record
// set (when that file can be opened at all), and a failure leaves the original file as it was.
std::expected<void, QString> repairAndCompact(FrequencyStore& store, const QString& databasePath,
                                              const QString& copyPath, const RepairSteps& steps = {});

} // namespace sono
