#include "core/tools/Conversions.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"

#include <cmath>

namespace sono {

std::expected<ConversionLists, QString> convertOctaves(QStringView frequencyText, QStringView countText) {
    const std::optional<double> frequency = parseWholeNumber(frequencyText);
    if (!frequency)
        return std::unexpected(QStringLiteral("\"%1\" is not a frequency. Type a number of hertz.")
                                   .arg(quotedInMessage(frequencyText)));
    const std::optional<double> count = parseWholeNumber(countText);
    if (!count)
        return std::unexpected(
            QStringLiteral("\"%1\" is not a number of calculations.").arg(quotedInMessage(countText)));
    if (*count > MaxConversions)
        return std::unexpected(QStringLiteral("At most %1 calculations can be listed.").arg(MaxConversions));

    ConversionLists lists;
    const int n = *count < 1 ? 0 : static_cast<int>(std::floor(*count));
    double v = *frequency;
    for (int i = 1; i <= n; ++i) {
        v /= 2;
        lists.lower.append(formatPattern(v, u"###,###,###.0") + QStringLiteral(" Hz"));
    }
    v = *frequency;
    for (int i = 1; i <= n; ++i) {
        v *= 2;
        if (!std::isfinite(v)) {
            lists.note = QStringLiteral("The higher frequencies stop where the numbers become too large.");
            break;
        }
        if (v > 1000000)
            lists.higher.append(formatPattern(v / 1000000, u"###,###,###.000") + QStringLiteral(" MHz"));
        else
            lists.higher.append(formatPattern(v, u"#,###,###.000") + QStringLiteral(" Hz"));
    }
    return lists;
}

} // namespace sono
