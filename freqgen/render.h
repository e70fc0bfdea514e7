// Renders a whole program to a sound file (WAV or RF64, FLAC, Ogg Vorbis) as fast as the machine allows.
#pragma once

#include "engine.h"

#include <chrono>
#include <cstdint>
#include <expected>
#include <functional>
#include <optional>
#include <sndfile.h>
#include <string>
#include <vector>

namespace freqgen {

enum class SampleFormat { Pcm16, Float };

struct FileFormat {
    FileType type = FileType::Wav;
    SampleFormat sample = SampleFormat::Pcm16; // Float: 32-bit float WAV, 24-bit FLAC; Vorbis takes either
    int rate = kDefaultRate;
};

struct RenderResult {
    std::int64_t frames = 0;
    std::vector<PlayedStep> played;
};

struct RenderHooks {
    // Asked between blocks; when it says yes, the render ends without a file.
    std::function<bool()> stop;
    // Seconds rendered and in all: once before the first block, after each block; `last` with the final one.
    std::function<void(double done, double total, bool last)> progress;
};

// Opens the sound the samples go to, for the format in `info`; null when it cannot.
using SoundOpener = std::function<SNDFILE*(SF_INFO& info)>;

// Rounds to the nearest 16-bit step; values outside -1 .. 1 are clipped rather than wrapped.
void toPcm16(const float* in, std::int16_t* out, std::size_t count);

// The libsndfile format for `format` and a program of `seconds`: a WAV whose data would not fit the 32-bit
// sizes of its header becomes RF64.
int soundFormat(const FileFormat& format, double seconds);

// Renders into the sound `open` gives and closes it. The error says why it stopped.
std::expected<RenderResult, std::string> renderToSound(const Settings& settings,
                                                       const std::vector<Step>& steps,
                                                       const FileFormat& format, const SoundOpener& open,
                                                       const RenderHooks& hooks = {});

// Written under PATH.part and renamed when complete, so a failed render never leaves a partial file under
// the name asked for. The .part stays locked while it is written: one left by a render that was killed is
// replaced, one that another freqgen is still writing is refused.
std::expected<RenderResult, std::string> renderToFile(const Settings& settings,
                                                      const std::vector<Step>& steps, const std::string& path,
                                                      const FileFormat& format,
                                                      const RenderHooks& hooks = {});

// "progress 61.5 3600": the line Sono reads while it exports.
std::string progressLine(double done, double total);

// Paces the progress lines: at most one per interval, but always the last.
class ProgressPacer {
public:
    using Clock = std::chrono::steady_clock;
    explicit ProgressPacer(Clock::duration interval = std::chrono::milliseconds(200)) : interval_(interval) {}
    bool due(Clock::time_point now, bool last);

private:
    Clock::duration interval_;
    std::optional<Clock::time_point> previous_;
};

} // namespace freqgen
