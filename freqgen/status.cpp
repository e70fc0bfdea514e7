#include "status.h"
#include "text.h"

#include <cmath>
#include <cstdio>

namespace freqgen {

std::string clockText(double seconds) {
    auto total = std::llround(seconds);
    char buf[32];
    if (total >= 3600)
        std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60, total % 60);
    else
        std::snprintf(buf, sizeof buf, "%lld:%02lld", total / 60, total % 60);
    return buf;
}

std::string foldNote(double asked, const Fold& fold, double rate) {
    return fmt("{} Hz is above the Nyquist limit of {} Hz: playing {} Hz ({} octave{} down)", asked, rate / 2,
               fold.freq, fold.octaves, fold.octaves == 1 ? "" : "s");
}

std::string statusLine(const Status& st) {
    if (st.step == 0) return "Program finished.";
    char vol[48];
    std::snprintf(vol, sizeof vol, "vol %.2f/%.2f", st.volLeft, st.volRight);
    std::string line = fmt("Step {} of {}  {} Hz  step {} left  program {} left  {}", st.step, st.count,
                           st.freq, clockText(st.stepLeft), clockText(st.programLeft), vol);
    if (st.freq <= 0) line += "  (silence)";
    if (st.foldedOctaves > 0) line += fmt("  (plays {} Hz)", st.playedFreq);
    if (st.paused) line += "  PAUSED";
    return line;
}

std::optional<Command> keyCommand(char key) {
    switch (key) {
    case ' ':
        return Command::TogglePause;
    case 'n':
        return Command::Next;
    case 'b':
        return Command::Back;
    case '+':
    case '=':
        return Command::Louder;
    case '-':
        return Command::Softer;
    case 'N':
        return Command::Spread;
    case 'q':
    case 'Q':
    case 27:
        return Command::Stop;
    default:
        return std::nullopt;
    }
}

bool applyKey(Engine& engine, char key) {
    auto command = keyCommand(key);
    if (command) engine.apply(*command);
    return command.has_value();
}

} // namespace freqgen
