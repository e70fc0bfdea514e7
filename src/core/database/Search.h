#pragma once

#include "core/database/FrequencyStore.h"
#include "core/database/UserMessage.h"

#include <QStringList>
#include <expected>

namespace sono {

struct AppState;

// The Find query for the search box and the three column boxes, or the message that refuses it
// (no box ticked; a frequency search below 1).
std::expected<SearchQuery, UserMessage> findQuery(const QString& text, bool description, bool comments,
                                                  bool frequencies);

// "Results :  12 records found".
QString resultsCaption(qsizetype count);

// Makes `query` the current record set: sets CurrentQuery and ResultCount and returns the number of
// sets found (line k of the list is set k of the record set). On failure nothing in `state` changes.
std::expected<int, QString> runSearch(AppState& state, const SearchQuery& query);

} // namespace sono
