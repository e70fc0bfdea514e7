#include "options.h"
#include "text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

namespace freqgen {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (isBlank(s.front()) || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

void splitBlanks(std::string_view s, std::vector<std::string>& out) {
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBlank(s[i]))
            ++i;
        std::size_t j = i;
        while (j < s.size() && !isBlank(s[j]))
            ++j;
        if (j > i) out.emplace_back(s.substr(i, j - i));
        i = j;
    }
}

Failure usageError(std::string message) {
    return {"freqgen: " + std::move(message), kExitUsage};
}

// What goes wrong with an option's value, for the message; nothing when it was stored.
using Problem = std::optional<std::string>;

// One command-line option: its names, what follows it (nothing for a switch) and how that is checked
// and stored.
struct OptionRule {
    std::string_view names[2];
    std::string_view value;
    Problem (*apply)(Invocation& inv, std::string_view name, const std::string& value);
    std::string_view twice = {};   // the message when given twice, if not the plain "is given twice"
    std::string_view missing = {}; // the message when a command line that plays lacks it
    bool repeatable = false;
};

template <bool Settings::*flag> Problem setSwitch(Invocation& inv, std::string_view, const std::string&) {
    inv.settings.*flag = true;
    return std::nullopt;
}

template <bool Invocation::*flag> Problem setFlag(Invocation& inv, std::string_view, const std::string&) {
    inv.*flag = true;
    return std::nullopt;
}

template <auto name> Problem storeName(Invocation& inv, std::string_view, const std::string& v) {
    inv.*name = v;
    return std::nullopt;
}

Problem volume(Invocation& inv, std::string_view name, const std::string& v) {
    auto n = parseNumber(v);
    if (!n) return fmt("\"{}\" after {} is not a volume (a number from 0 to 1)", v, name);
    if (*n < 0) return fmt("volume \"{}\" after {} is below 0", v, name);
    (name == "-vl" ? inv.settings.volLeft : inv.settings.volRight) = std::min(*n, 1.0);
    return std::nullopt;
}

const OptionRule kOptions[] = {
    {{"-vl"}, "a volume from 0 to 1", volume, {}, "no left volume given (-vl V)"},
    {{"-vr"}, "a volume from 0 to 1", volume, {}, "no right volume given (-vr V)"},
    {{"-r"}, {}, setSwitch<&Settings::record>},
    {{"-e"}, {}, setSwitch<&Settings::extended>},
    {{"-l=r"}, {}, setSwitch<&Settings::leftEqualsRight>},
    {{"-S", "-T"},
     {},
     [](Invocation& inv, std::string_view name, const std::string&) -> Problem {
         inv.settings.wave = name == "-S" ? Wave::Square : Wave::Saw;
         return std::nullopt;
     },
     "only one of -S (square) and -T (saw tooth) may be given"},
    {{"-P"},
     "a phase in degrees",
     [](Invocation& inv, std::string_view, const std::string& v) -> Problem {
         auto n = parseNumber(v);
         if (!n) return fmt("\"{}\" after -P is not a phase in degrees", v);
         inv.settings.phaseDeg = *n;
         return std::nullopt;
     }},
    {{"-p"},
     "a number of pulses per second",
     [](Invocation& inv, std::string_view, const std::string& v) -> Problem {
         auto n = parseNumber(v);
         if (!n) return fmt("\"{}\" after -p is not a number of pulses per second", v);
         if (*n < 0 || *n > kMaxGating)
             return fmt("gating \"{}\" after -p is outside 0 to {} pulses per second", v, kMaxGating);
         inv.settings.gatingPps = *n;
         return std::nullopt;
     }},
    {{"-f"},
     "the name of a run file",
     storeName<&Invocation::runFile>,
     {},
     "no run file given (-f NAME.run)"},
    {{"--out", "--wav"},
     "the name of a file",
     [](Invocation& inv, std::string_view name, const std::string& v) -> Problem {
         auto type = name == "--wav" ? FileType::Wav : fileTypeOf(v);
         if (!type)
             return fmt("\"{}\" after --out is not a file freqgen can write: use the extension .wav, .flac, "
                        ".ogg or .oga",
                        v);
         inv.outFile = v;
         inv.outType = *type;
         return std::nullopt;
     },
     "only one of --out FILE and --wav FILE may be given"},
    {{"--rate"},
     "a sample rate in Hz",
     [](Invocation& inv, std::string_view, const std::string& v) -> Problem {
         auto n = parseNumber(v);
         if (!n || *n != std::floor(*n) || *n < 8000 || *n > 384000)
             return fmt("\"{}\" after --rate is not a sample rate from 8000 to 384000", v);
         inv.rate = static_cast<int>(*n);
         return std::nullopt;
     }},
    {{"--float"}, {}, setFlag<&Invocation::floatWav>},
    {{"--help", "-h"}, {}, setFlag<&Invocation::help>, {}, {}, true},
};

} // namespace

std::optional<FileType> fileTypeOf(std::string_view path) {
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string ext(name.substr(dot + 1));
    std::ranges::transform(ext, ext.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == "wav") return FileType::Wav;
    if (ext == "flac") return FileType::Flac;
    if (ext == "ogg" || ext == "oga") return FileType::Vorbis;
    return std::nullopt;
}

std::optional<double> parseNumber(std::string_view text) {
    // One sign at most: "+-3" is not a number.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) return std::nullopt;
    }
    if (text.empty()) return std::nullopt;
    double value = 0.0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::expected<Invocation, Failure> parseCommandLine(const std::vector<std::string>& args) {
    std::vector<std::string> tokens;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!tokens.empty() && tokens.back() == "-f" && i > 0 && args[i - 1] == "-f")
            tokens.push_back(args[i]);
        else
            splitBlanks(args[i], tokens);
    }

    Invocation inv;
    bool seen[std::size(kOptions)] = {};
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        const auto rule = std::ranges::find_if(kOptions, [&](const OptionRule& o) {
            return !t.empty() && std::ranges::find(o.names, std::string_view(t)) != std::end(o.names);
        });
        if (rule == std::end(kOptions))
            return std::unexpected(usageError(fmt("unknown option \"{}\" (freqgen --help lists them)", t)));
        bool& given = seen[rule - std::begin(kOptions)];
        if (given && !rule->repeatable)
            return std::unexpected(
                usageError(rule->twice.empty() ? fmt("\"{}\" is given twice", t) : std::string(rule->twice)));
        given = true;
        std::string value;
        if (!rule->value.empty()) {
            if (i + 1 >= tokens.size())
                return std::unexpected(usageError(fmt("\"{}\" needs {} after it", t, rule->value)));
            value = tokens[++i];
        }
        if (Problem problem = rule->apply(inv, t, value)) return std::unexpected(usageError(*problem));
    }

    if (inv.help) return inv;
    if ((inv.rate || inv.floatWav) && !inv.outFile)
        return std::unexpected(usageError("--rate and --float only apply with --out FILE or --wav FILE"));
    for (std::size_t k = 0; k < std::size(kOptions); ++k)
        if (!seen[k] && !kOptions[k].missing.empty())
            return std::unexpected(usageError(std::string(kOptions[k].missing)));
    // Playing checks against the device's rate once it is known.
    if (inv.outFile && inv.outType == FileType::Vorbis && fileRate(inv) > kMaxVorbisRate)
        return std::unexpected(
            usageError(fmt("an Ogg Vorbis file takes sample rates up to {} Hz: use a lower "
                           "--rate, or a .wav or .flac file",
                           kMaxVorbisRate)));
    if (inv.outFile)
        if (auto gating = checkGatingRate(inv.settings, fileRate(inv))) return std::unexpected(*gating);
    return inv;
}

std::optional<Failure> checkGatingRate(const Settings& settings, double rate) {
    if (settings.gatingPps <= 0 || settings.gatingPps < rate / 4) return std::nullopt;
    return usageError(fmt("gating {} after -p is too fast for a sample rate of {} Hz: use less than {} "
                          "pulses per second",
                          plainNumber(settings.gatingPps), plainNumber(rate), plainNumber(rate / 4)));
}

std::expected<std::vector<Step>, Failure> parseRunFile(std::string_view text, std::string_view name) {
    std::vector<Step> steps;
    std::size_t lineNo = 0;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.starts_with('#') || trimmed(line).empty()) continue;
        auto bad = [&](const std::string& what) {
            return std::unexpected(Failure{fmt("freqgen: {} line {}: {}", name, lineNo, what), kExitRunFile});
        };
        std::size_t comma = line.find(',');
        if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos)
            return bad(fmt("\"{}\" is not a step (frequency,seconds)", line));
        std::string_view f = trimmed(line.substr(0, comma));
        std::string_view s = trimmed(line.substr(comma + 1));
        auto freq = parseNumber(f);
        if (!freq) return bad(fmt("frequency \"{}\" is not a number", f));
        auto secs = parseNumber(s);
        if (!secs) return bad(fmt("seconds \"{}\" is not a number", s));
        if (*secs > kMaxStepSeconds)
            return bad(fmt("seconds \"{}\" is more than {} seconds", s, kMaxStepSeconds));
        steps.push_back({*freq, *secs});
    }
    return steps;
}

std::expected<std::vector<Step>, Failure> readRunFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::unexpected(Failure{
            fmt("freqgen: cannot read the run file \"{}\": {}", path, std::strerror(errno)), kExitRunFile});
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return parseRunFile(buffer.str(), path);
}

std::string usageText() {
    return R"(Usage: freqgen -vl V -vr V [-r] [-e] [-l=r] [-S | -T] [-P DEG] [-p PPS] -f NAME.run
                [--out FILE [--rate HZ] [--float]]
Plays the program in NAME.run: lines starting with # are comments, every other line is
frequency,seconds (Hz and seconds, played in file order).

  -vl V, -vr V  left and right volume, 0 to 1 (above 1 counts as 1; 0 silences the channel)
  -r            write session_YYYY-MM-DD_HH-MM-SS.txt: one line per step played
  -e            extended hardware: use the highest rate the device offers (up to 192000 Hz)
  -l=r          the left channel plays exactly what the right plays (phase ignored)
  -S, -T        square wave, saw tooth wave (default: sine)
  -P DEG        the right channel is ahead of the left by DEG degrees
  -p PPS        gating: the sound is switched on and off PPS times per second
                (less than a quarter of the sample rate)
  -f NAME.run   the run file to play
  --out FILE    render the whole program to FILE instead of playing it; the extension
                chooses the format: .wav (RF64 past 4 GiB), .flac, .ogg or .oga (Ogg Vorbis).
                While it renders, standard error gets the line
                progress <seconds rendered> <seconds total> at most every 0.2 s and at the end
  --wav FILE    the same as --out, always as a WAV file whatever the extension
  --rate HZ     sample rate of the file (default 48000, 192000 with -e)
  --float       32-bit float samples in a WAV file, 24-bit in a FLAC file, instead of 16-bit
  --help        show this text
  --version     show the version

Keys while playing: space pause/resume, n next step, b back one step, + / - volume,
N add the spread of 18 steps around the current frequency, q or Esc quit.
Exit codes: 0 done, 2 bad command line, 3 bad run file, 4 no audio output, 5 cannot write a file.
)";
}

} // namespace freqgen
