#pragma once

#include "core/database/FrequencyStore.h"
#include "core/database/UserMessage.h"

#include <QStringList>
#include <expected>

namespace sono {

// The record the editor's boxes describe: an empty comment becomes "No Comments", an empty slot 0.
// Refused with a message when the description is empty or a slot is not a number (the message names
// the slot, "F12"); nothing is half-built.
std::expected<FrequencyRecord, UserMessage>
recordFromEditor(const QString& description, const QString& comments, const QStringList& slotTexts);

} // namespace sono
