// Renders a whole program to a WAV file as fast as the machine allows.
#pragma once

#include "engine.h"

#include <cstdint>
#include <expected>
#include <functional>
#include <string>
#include <vector>

namespace freqgen {

enum class SampleFormat { Pcm16, Float };

struct RenderResult {
    std::int64_t frames = 0;
    std::vector<PlayedStep> played;
};

// Rounds to the nearest 16-bit step; values outside -1 .. 1 are clipped rather than wrapped.
void toPcm16(const float* in, std::int16_t* out, std::size_t count);

// Written under PATH.part and renamed when complete, so a failed render never leaves a partial file under
// the name asked for. The .part stays locked while it is written: one left by a render that was killed is
// replaced, one that another freqgen is still writing is refused. `stop` is asked between blocks; when it
// says yes, the render ends without a file.
std::expected<RenderResult, std::string> renderToWav(const Settings& settings, const std::vector<Step>& steps,
                                                     const std::string& path, int rate, SampleFormat format,
                                                     const std::function<bool()>& stop = {});

} // namespace freqgen
