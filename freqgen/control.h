// The line format of freqgen --control: commands come in on standard input, status lines go out on
// standard output. Kept apart from the sound card so it can be tested.
#pragma once

#include "engine.h"

#include <optional>
#include <string>
#include <string_view>

namespace freqgen {

// A line of standard input: a command, or a reply to write back (an unknown line), or neither (blank).
struct ControlRequest {
    std::optional<Command> command;
    std::string reply;
};

ControlRequest parseControlLine(std::string_view line);

// "playing step=12 count=40 freq=528 played=528 elapsed=61.5 left=1234.5 at=120 vl=0.5 vr=0.5", "paused"
// with the same fields, or "finished elapsed=...".
std::string controlStatusLine(const Status& st);

// A line is due on every change of step, state or volume, and once a second while playing.
bool controlStatusDue(const std::optional<Status>& last, const Status& now, double secondsSinceLast);

} // namespace freqgen
