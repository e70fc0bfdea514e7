// What the player shows and how it answers keys; kept apart from the terminal so it can be tested.
#pragma once

#include "engine.h"

#include <optional>
#include <string>

namespace freqgen {

// m:ss below an hour, h:mm:ss from then on.
std::string clockText(double seconds);

// "30000 Hz is above the Nyquist limit of 24000 Hz: playing 15000 Hz (1 octave down)"
std::string foldNote(double asked, const Fold& fold, double rate);

std::string statusLine(const Status& st);

// Space pause/resume, n next, b back, + (or =) and - volume, N spread, q or Esc quit; other keys ask
// nothing.
std::optional<Command> keyCommand(char key);

// Returns whether the key was one of the above.
bool applyKey(Engine& engine, char key);

} // namespace freqgen
