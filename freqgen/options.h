// Command line and run file of freqgen: the contract Sono relies on when it starts a program.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace freqgen {

// Exit codes, so a script can tell the kinds of failure apart.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitRunFile = 3;
inline constexpr int kExitAudio = 4;
inline constexpr int kExitOutput = 5;

inline constexpr double kMaxGating = 32767.0; // the largest gating Sono can pass
inline constexpr double kMaxStepSeconds = 1e7;
inline constexpr int kDefaultRate = 48000;
inline constexpr int kExtendedWavRate = 192000;
inline constexpr int kMaxVorbisRate = 200000; // the Vorbis encoder has no modes above it

enum class Wave { Sine, Square, Saw };

// The kinds of file a program can be rendered to.
enum class FileType { Wav, Flac, Vorbis };

struct Settings {
    double volLeft = 0.0;
    double volRight = 0.0;
    bool record = false;
    bool extended = false;
    bool leftEqualsRight = false;
    Wave wave = Wave::Sine;
    double phaseDeg = 0.0;
    double gatingPps = 0.0;
};

struct Invocation {
    Settings settings;
    std::string runFile;
    std::optional<std::string> outFile; // render here instead of playing
    FileType outType = FileType::Wav;
    std::optional<int> rate;
    bool floatWav = false;
    bool help = false;
};

struct Failure {
    std::string message;
    int exitCode = kExitUsage;
};

struct Step {
    double freq = 0.0;
    double seconds = 0.0;
};

// The sample rate of a rendered file: --rate, else the default (higher with -e).
inline int fileRate(const Invocation& inv) {
    return inv.rate.value_or(inv.settings.extended ? kExtendedWavRate : kDefaultRate);
}

// Gating switches the sound on and off; at or above a quarter of the sample rate the pulses alias into
// tones of their own. Such a rate is refused as a bad -p option.
std::optional<Failure> checkGatingRate(const Settings& settings, double rate);

// By the extension of path, in any case: .wav, .flac, .ogg or .oga; nothing for another one.
std::optional<FileType> fileTypeOf(std::string_view path);

// A plain decimal number as Sono and people write it ("1", ".5", "-3", "7.83", "1e3"); the whole text must
// be the number and it must be finite.
std::optional<double> parseNumber(std::string_view text);

// args are the program arguments without the program name. Arguments that hold several blank-separated
// tokens are split, so the option string also works when it arrives as one argument; a separate argument
// after -f is taken whole, so run-file names may contain blanks.
std::expected<Invocation, Failure> parseCommandLine(const std::vector<std::string>& args);

// name is only used in messages.
std::expected<std::vector<Step>, Failure> parseRunFile(std::string_view text, std::string_view name);
std::expected<std::vector<Step>, Failure> readRunFile(const std::string& path);

std::string usageText();

} // namespace freqgen
