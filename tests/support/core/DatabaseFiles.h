#pragma once

#include "core/database/FrequencyStore.h"

#include <QString>
#include <optional>
#include <vector>

// Fixture databases for model and window tests alike (this part links only the model library).
namespace sono::test {

// A record: description, comments (nothing for null) and the used slots from F1 on.
FrequencyRecord record(const QString& description, std::optional<QString> comments,
                       const std::vector<double>& frequencies = {});

// Creates (or replaces) a database file with table Main, as Sono's databases have it, holding the records.
void createDatabase(const QString& path, const std::vector<FrequencyRecord>& records);

} // namespace sono::test
