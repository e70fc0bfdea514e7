#pragma once

#include "core/program/ProgramTable.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <expected>

namespace sono {

inline const QString CapValueErrorTitle = QStringLiteral("Sono11 - Cap Value Error");
extern const QString CapValueErrorText;

struct CapAndDuplicatesReport {
    QStringList duplicates; // the frequency kept, once for each copy removed
    QStringList capped;     // each capped frequency as it was before folding
    int duplicateCount() const { return static_cast<int>(duplicates.size()); }
    int cappedCount() const { return static_cast<int>(capped.size()); }
    QString duplicateCaption() const;
    QString cappedCaption() const;
};

// Apply on steps 1..StepCount. A non-empty cap text (kHz) folds every frequency above the cap by halving
// until it is at or below it; a cap under 1 Hz is refused with CapValueErrorText and the table is left
// as it was. With `removeDuplicates` every later copy of a frequency above 0 Hz is removed, the first
// keeping its time.
std::expected<CapAndDuplicatesReport, QString>
capAndRemoveDuplicates(ProgramTable& table, QStringView capKHzText, bool removeDuplicates);

} // namespace sono
