#pragma once

#include <QString>

namespace sono {

struct AppState;
class Platform;

// Marks a file that did not load (fully) at start-up; the text tells the user what will happen to it.
QString markUnreadFile(AppState& state, const QString& path);

// Before the first save over a file that did not load at start-up, keeps it as "<name>.bak" and tells
// the user. False (the user has been told) when the copy could not be made: the save must not go on.
bool keepUnreadFile(AppState& state, Platform& platform, const QString& path);

} // namespace sono
