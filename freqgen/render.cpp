#include "render.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sndfile.h>

namespace freqgen {

namespace {

constexpr std::size_t kChunkFrames = 1 << 16;

struct SndCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

} // namespace

void toPcm16(const float* in, std::int16_t* out, std::size_t count) {
    // Offset into the positive range so truncation rounds to nearest, and clip in integers: this form
    // vectorises, a call to lrint or a float compare per sample does not.
    for (std::size_t i = 0; i < count; ++i) {
        int v = static_cast<int>(in[i] * 32767.0f + 32768.5f);
        v = v < 1 ? 1 : v;
        v = v > 65535 ? 65535 : v;
        out[i] = static_cast<std::int16_t>(v - 32768);
    }
}

std::expected<RenderResult, std::string> renderToWav(const Settings& settings, const std::vector<Step>& steps,
                                                     const std::string& path, int rate, SampleFormat format) {
    std::string partial = path + ".part";
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | (format == SampleFormat::Float ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_16);
    std::unique_ptr<SNDFILE, SndCloser> file(sf_open(partial.c_str(), SFM_WRITE, &info));
    if (!file)
        return std::unexpected(
            fmt("freqgen: cannot write the WAV file \"{}\": {}", path, sf_strerror(nullptr)));

    auto fail = [&](std::string why) -> std::unexpected<std::string> {
        file.reset();
        std::error_code ec;
        std::filesystem::remove(partial, ec);
        return std::unexpected(fmt("freqgen: cannot write the WAV file \"{}\": {}", path, why));
    };

    Engine engine(settings, steps, rate);
    std::vector<float> buffer(kChunkFrames * 2);
    std::vector<std::int16_t> pcm(format == SampleFormat::Pcm16 ? kChunkFrames * 2 : 0);
    RenderResult result;
    while (!engine.finished()) {
        std::size_t n = engine.render(buffer.data(), kChunkFrames);
        if (n == 0) break;
        sf_count_t written = 0;
        if (format == SampleFormat::Pcm16) {
            toPcm16(buffer.data(), pcm.data(), n * 2);
            written = sf_writef_short(file.get(), pcm.data(), static_cast<sf_count_t>(n));
        } else {
            written = sf_writef_float(file.get(), buffer.data(), static_cast<sf_count_t>(n));
        }
        if (written != static_cast<sf_count_t>(n)) return fail(sf_strerror(file.get()));
        result.frames += static_cast<std::int64_t>(n);
    }
    result.played = engine.takePlayed();
    if (int err = sf_close(file.release()); err != 0) return fail(sf_error_number(err));
    std::error_code ec;
    std::filesystem::rename(partial, path, ec);
    if (ec) return fail(ec.message());
    return result;
}

} // namespace freqgen
