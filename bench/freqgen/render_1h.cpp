// One-hour program (20 steps of 180 s, stereo, 48 kHz, 16-bit) rendered by freqgen's renderer, by sox's
// synth, and by a minimal writer of the same samples (one sin per frame, 16-bit stereo WAV): the floor.
// Each side runs Runs times, alternating, so all face the same machine load; medians, ratio ours ÷ other.
#include "render.h"
#include "text.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Runs = 5;

double seconds(auto start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The floor: a WAV header, then each frame's sample computed with one sin and written to both channels.
bool minimalWriter(const std::vector<freqgen::Step>& steps, const std::string& path, int rate,
                   double volume) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    std::uint64_t frames = 0;
    for (const auto& step : steps)
        frames += static_cast<std::uint64_t>(step.seconds * rate);
    const auto u32 = [&](std::uint32_t v) { std::fwrite(&v, 4, 1, out); };
    const auto u16 = [&](std::uint16_t v) { std::fwrite(&v, 2, 1, out); };
    const auto data = static_cast<std::uint32_t>(frames * 4);
    std::fwrite("RIFF", 1, 4, out);
    u32(36 + data);
    std::fwrite("WAVEfmt ", 1, 8, out);
    u32(16);
    u16(1);
    u16(2);
    u32(static_cast<std::uint32_t>(rate));
    u32(static_cast<std::uint32_t>(rate) * 4);
    u16(4);
    u16(16);
    std::fwrite("data", 1, 4, out);
    u32(data);
    std::vector<std::int16_t> buffer;
    buffer.reserve(1 << 17);
    double phase = 0;
    for (const auto& step : steps) {
        const double increment = 2 * std::numbers::pi * step.freq / rate;
        const auto count = static_cast<std::int64_t>(step.seconds * rate);
        for (std::int64_t i = 0; i < count; ++i) {
            const auto sample = static_cast<std::int16_t>(std::lrint(volume * 32767.0 * std::sin(phase)));
            buffer.push_back(sample);
            buffer.push_back(sample);
            phase += increment;
            if (buffer.size() == buffer.capacity()) {
                std::fwrite(buffer.data(), 2, buffer.size(), out);
                buffer.clear();
            }
        }
        phase = std::fmod(phase, 2 * std::numbers::pi);
    }
    std::fwrite(buffer.data(), 2, buffer.size(), out);
    return std::fclose(out) == 0;
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("freqgen-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const int rate = 48000;
    std::vector<freqgen::Step> steps;
    std::string soxChains;
    for (int i = 0; i < 20; ++i) {
        double freq = 110.0 + 523.25 * i;
        steps.push_back({freq, 180.0});
        if (i > 0) soxChains += " :";
        soxChains += " synth 180 sine " + freqgen::plainNumber(freq) + " vol 0.5";
    }
    freqgen::Settings settings;
    settings.volLeft = settings.volRight = 0.5;
    const fs::path ours = dir / "freqgen.wav", sox = dir / "sox.wav", floor = dir / "floor.wav";
    const std::string command =
        "sox -D -n -r 48000 -b 16 -c 2 '" + sox.string() + "'" + soxChains + " 2>/dev/null";

    const std::function<bool()> sides[] = {
        [&] {
            return freqgen::renderToFile(settings, steps, ours.string(),
                                         {freqgen::FileType::Wav, freqgen::SampleFormat::Pcm16, rate})
                .has_value();
        },
        [&] {
            const int status = std::system(command.c_str());
            return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        },
        [&] { return minimalWriter(steps, floor.string(), rate, 0.5); }};
    const char* const names[] = {"freqgen", "sox", "minimal writer"};
    std::vector<double> times[3];
    for (int run = 0; run < Runs; ++run) {
        for (int side = 0; side < 3; ++side) {
            const auto start = std::chrono::steady_clock::now();
            if (!sides[side]()) {
                std::fprintf(stderr, "%s did not run\n", names[side]);
                fs::remove_all(dir);
                return 1;
            }
            times[side].push_back(seconds(start));
        }
    }
    const std::uintmax_t ourSize = fs::file_size(ours), soxSize = fs::file_size(sox),
                         floorSize = fs::file_size(floor);
    fs::remove_all(dir);
    const double ourTime = median(times[0]);
    std::printf("freqgen_render_1h: %.3f s vs sox_render_1h: %.3f s = %.2f x\n", ourTime, median(times[1]),
                ourTime / median(times[1]));
    std::printf("freqgen_render_1h: %.3f s vs minimal_writer_1h: %.3f s = %.2f x\n", ourTime,
                median(times[2]), ourTime / median(times[2]));
    std::printf("freqgen_realtime_factor: %.0f x\n", 3600.0 / ourTime);
    std::printf("freqgen_file_bytes: %ju B vs sox_file_bytes: %ju B = %.4f x\n", ourSize, soxSize,
                static_cast<double>(ourSize) / static_cast<double>(soxSize));
    std::printf("freqgen_file_bytes: %ju B vs minimal_writer_file_bytes: %ju B = %.4f x\n", ourSize,
                floorSize, static_cast<double>(ourSize) / static_cast<double>(floorSize));
    return 0;
}
