#pragma once

#include "core/database/FrequencyStore.h"

#include <QString>
#include <expected>
#include <functional>

namespace sono {

inline const QString RepairedText = QStringLiteral("FREQS.MDB file successfully repaired and compacted.");
// Added to the success message: where the file as it was is kept.
inline const QString RepairBackupText =
    QStringLiteral("The file as it was before the repair is kept as freqs.mdb.bak.");

inline const QString RepairCancelledText = QStringLiteral("The repair was cancelled.");

struct RepairSteps {
    // Called with the path of the new copy as soon as it is written, before it is checked (tests
    // damage it here to prove that a bad copy never replaces the database).
    std::function<void(const QString& copyPath)> afterCompact;
    // Polled from the checks and the compaction (it may run on another thread); true stops the repair
    // with RepairCancelledText until the original is about to be replaced, which is not stopped.
    std::function<bool()> cancelled = {};
    // Told what the repair is doing now, for a progress window.
    std::function<void(const QString& stage)> stage = {};
};

// Repair and compact: checks the database, removes what an interrupted repair left at `copyPath`,
// writes a compacted copy there with the file's permissions, checks the copy (integrity and the same
// number of rows), keeps the file as it was as backupPathFor(databasePath) and renames the copy over
// `databasePath` in one step. Whatever happens, the store is afterwards open on `databasePath` with the
// full-table record set (when that file can be opened at all), and a failure leaves the original file as
// it was. The store stays open until the copy is ready, so a failure before that leaves it usable.
std::expected<void, QString> repairAndCompact(FrequencyStore& store, const QString& databasePath,
                                              const QString& copyPath, const RepairSteps& steps = {});

// The one backup generation a repair keeps: freqs.mdb.bak beside freqs.mdb.
QString backupPathFor(const QString& databasePath);

} // namespace sono
