#include "core/program/CapAndDuplicates.h"

#include "core/common/NumberText.h"

#include <cmath>
#include <limits>
#include <unordered_map>
#include <vector>

namespace sono {

const QString CapValueErrorText = QStringLiteral("You have chosen to 'Cap' frequencies.\n\n"
                                                 "Enter a Cap value greater than 1 (1kHz)\n\n"
                                                 "Values of 10 or 20 are common.\n\n"
                                                 "The Cap Value is the highest frequency\n\r"
                                                 "your Frequency Generator can produce,\n\r"
                                                 "and your Vero Machine can cope with.");

QString CapAndDuplicatesReport::duplicateCaption() const {
    return signedText(duplicateCount()) + QStringLiteral(" Duplicates found.");
}

QString CapAndDuplicatesReport::cappedCaption() const {
    return signedText(cappedCount()) + QStringLiteral(" Frequencies Capped.");
}

std::expected<CapAndDuplicatesReport, QString>
capAndRemoveDuplicates(ProgramTable& table, QStringView capKHzText, bool removeDuplicates) {
    CapAndDuplicatesReport report;
    int n = table.StepCount;
    if (!capKHzText.isEmpty()) {
        // 64 bits: caps above 32.767 kHz are ordinary; anything beyond the range of a frequency is no cap.
        const double hz = roundHalfEven(leadingNumber(capKHzText) * 1000.0);
        if (!(hz >= 1)) return std::unexpected(CapValueErrorText);
        const qint64 cap = hz >= 9.0e18 ? std::numeric_limits<qint64>::max() : static_cast<qint64>(hz);
        for (int k = 1; k <= n; ++k) {
            float& f = table.StepFreq[static_cast<size_t>(k)];
            if (!(static_cast<double>(f) > static_cast<double>(cap))) continue;
            report.capped << signedText(f);
            while (std::isfinite(f) && static_cast<double>(f) > static_cast<double>(cap))
                f /= 2;
        }
    }
    if (removeDuplicates) {
        // One pass: each frequency above 0 Hz keeps its first step; the report lists the kept value once
        // per copy removed, in the order of the kept steps.
        std::unordered_map<float, int> firstKept; // value -> kept position
        std::vector<int> copies(static_cast<size_t>(n) + 1, 0);
        int kept = 0;
        for (int k = 1; k <= n; ++k) {
            const float f = table.StepFreq[static_cast<size_t>(k)];
            if (f > 0) {
                const auto [it, isNew] = firstKept.try_emplace(f, kept + 1);
                if (!isNew) {
                    ++copies[static_cast<size_t>(it->second)];
                    continue;
                }
            }
            ++kept;
            table.StepFreq[static_cast<size_t>(kept)] = f;
            table.StepTime[static_cast<size_t>(kept)] = table.StepTime[static_cast<size_t>(k)];
        }
        for (int k = kept + 1; k <= n; ++k) {
            table.StepFreq[static_cast<size_t>(k)] = 0;
            table.StepTime[static_cast<size_t>(k)] = 0;
        }
        for (int k = 1; k <= kept; ++k) {
            for (int c = 0; c < copies[static_cast<size_t>(k)]; ++c)
                report.duplicates << signedText(table.StepFreq[static_cast<size_t>(k)]);
        }
        n = kept;
    }
    table.StepCount = static_cast<qint16>(n);
    return report;
}

} // namespace sono
