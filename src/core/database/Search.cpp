#include "core/database/Search.h"

#include "core/app/AppState.h"
#include "core/common/NumberText.h"

#include <algorithm>
#include <limits>

namespace sono {

std::expected<SearchQuery, UserMessage> findQuery(const QString& text, bool description, bool comments,
                                                  bool frequencies) {
    if (!description && !comments && !frequencies)
        return std::unexpected(
            UserMessage{QStringLiteral("You need to check Description or Comments or Frequencies."),
                        QStringLiteral("Make a Choice !")});
    if (frequencies) {
        // A unit after the number ("528Hz") is ignored; the number itself must be 1 or more.
        const double value = leadingNumber(text);
        if (!(value >= 1))
            return std::unexpected(
                UserMessage{QStringLiteral("You need to enter a value 1 or greater in the search box."),
                            QStringLiteral("Enter a Value !")});
        return SearchQuery::find(text, false, false, true);
    }
    return SearchQuery::find(text, description, comments, false);
}

QString resultsCaption(qsizetype count) {
    return QStringLiteral("Results : ") + signedText(static_cast<double>(count), Precision::Double) +
           QStringLiteral(" records found");
}

std::expected<int, QString> runSearch(AppState& state, const SearchQuery& query) {
    if (auto refreshed = state.database.refresh(query); !refreshed) return std::unexpected(refreshed.error());
    const int found = state.database.count();
    state.CurrentQuery = query.sqlText();
    // The count is a 16-bit number; a larger result is still listed and captioned in full.
    state.ResultCount =
        static_cast<qint16>(std::min(found, static_cast<int>(std::numeric_limits<qint16>::max())));
    return found;
}

} // namespace sono
