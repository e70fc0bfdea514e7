#include "program/CapAndDuplicates.h"

#include "common/NumberText.h"

#include <cmath>
#include <limits>

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
        for (int i = 1; i <= n; ++i) {
            const float kept = table.StepFreq[static_cast<size_t>(i)];
            if (!(kept > 0)) continue;
            int j = i + 1;
            while (j <= n) {
                if (table.StepFreq[static_cast<size_t>(j)] != kept) {
                    ++j;
                    continue;
                }
                // The step that moves into j is compared too, so no copy survives one Apply.
                report.duplicates << signedText(kept);
                for (int k = j; k < n; ++k) {
                    table.StepFreq[static_cast<size_t>(k)] = table.StepFreq[static_cast<size_t>(k + 1)];
                    table.StepTime[static_cast<size_t>(k)] = table.StepTime[static_cast<size_t>(k + 1)];
                }
                table.StepFreq[static_cast<size_t>(n)] = 0;
                table.StepTime[static_cast<size_t>(n)] = 0;
                --n;
            }
        }
    }
    table.StepCount = static_cast<qint16>(n);
    return report;
}

} // namespace sono
