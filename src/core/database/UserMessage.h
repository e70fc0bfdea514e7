#pragma once

#include <QString>

namespace sono {

// A message box a window shows for a refused action: its text and its title.
struct UserMessage {
    QString text;
    QString title;
    bool operator==(const UserMessage&) const = default;
};

} // namespace sono
