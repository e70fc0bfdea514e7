#include "control.h"
#include "text.h"

#include <cmath>
#include <utility>

namespace freqgen {

namespace {

// Milliseconds are plenty for a display and keep the lines short.
std::string seconds(double value) {
    return plainNumber(std::round(value * 1000.0) / 1000.0);
}

} // namespace

ControlRequest parseControlLine(std::string_view line) {
    static constexpr std::pair<std::string_view, Command> kWords[] = {
        {"pause", Command::Pause},   {"resume", Command::Resume}, {"next", Command::Next},
        {"back", Command::Back},     {"louder", Command::Louder}, {"softer", Command::Softer},
        {"spread", Command::Spread}, {"stop", Command::Stop}};
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    if (line.empty()) return {};
    for (const auto& [word, command] : kWords)
        if (line == word) return {command, {}};
    return {std::nullopt, fmt("unknown {}", line)};
}

std::string controlStatusLine(const Status& st) {
    if (st.finished || st.step == 0) return "finished elapsed=" + seconds(st.elapsed);
    return fmt("{} step={} count={} freq={} played={} elapsed={} left={} at={} vl={} vr={}",
               st.paused ? "paused" : "playing", st.step, st.count, st.freq, st.playedFreq,
               seconds(st.elapsed), seconds(st.programLeft), seconds(st.position), st.volLeft, st.volRight);
}

bool controlStatusDue(const std::optional<Status>& last, const Status& now, double secondsSinceLast) {
    if (!last) return true;
    if (last->step != now.step || last->count != now.count || last->paused != now.paused ||
        last->finished != now.finished || last->volLeft != now.volLeft || last->volRight != now.volRight)
        return true;
    return !now.paused && !now.finished && secondsSinceLast >= 1.0;
}

} // namespace freqgen
