// One-hour program (20 steps of 180 s, stereo, 48 kHz, 16-bit) rendered by freqgen's renderer and by
// sox's synth in the same run, so both face the same machine load.
#include "render.h"
#include "text.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double seconds(auto start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

    fs::path ours = dir / "freqgen.wav";
    auto start = std::chrono::steady_clock::now();
    auto result = freqgen::renderToWav(settings, steps, ours.string(), rate, freqgen::SampleFormat::Pcm16);
    double ourTime = seconds(start);
    if (!result) {
        std::fprintf(stderr, "%s\n", result.error().c_str());
        return 1;
    }

    fs::path theirs = dir / "sox.wav";
    std::string command =
        "sox -D -n -r 48000 -b 16 -c 2 '" + theirs.string() + "'" + soxChains + " 2>/dev/null";
    start = std::chrono::steady_clock::now();
    int status = std::system(command.c_str());
    double soxTime = seconds(start);
    bool soxOk = status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;

    std::uintmax_t ourSize = fs::file_size(ours);
    std::uintmax_t soxSize = soxOk ? fs::file_size(theirs) : 0;
    fs::remove_all(dir);
    if (!soxOk) {
        std::fprintf(stderr, "sox did not run: %s\n", command.c_str());
        return 1;
    }
    std::printf("freqgen_render_1h: %.3f s vs sox_render_1h: %.3f s = %.2f x\n", ourTime, soxTime,
                soxTime / ourTime);
    std::printf("freqgen_realtime_factor: %.0f x\n", 3600.0 / ourTime);
    std::printf("freqgen_file_bytes: %ju B vs sox_file_bytes: %ju B = %.4f x\n", ourSize, soxSize,
                static_cast<double>(soxSize) / static_cast<double>(ourSize));
    return 0;
}
