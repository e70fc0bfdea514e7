// Measuring what freqgen produces: rendering into memory, reading WAV files back, zero crossings, RMS.
#pragma once

#include "engine.h"

#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <string>
#include <vector>

namespace measure {

struct Stereo {
    std::vector<float> left, right;
    int rate = 0;
    std::size_t size() const { return left.size(); }
};

inline Stereo split(const std::vector<float>& interleaved, std::size_t frames, int rate) {
    Stereo s;
    s.rate = rate;
    for (std::size_t i = 0; i < frames; ++i) {
        s.left.push_back(interleaved[2 * i]);
        s.right.push_back(interleaved[2 * i + 1]);
    }
    return s;
}

// Renders in odd-sized chunks so block and buffer boundaries fall everywhere.
inline Stereo render(freqgen::Engine& engine, std::size_t maxFrames = 1u << 26) {
    std::vector<float> all;
    std::vector<float> buf(2 * 1000);
    std::size_t frames = 0;
    while (!engine.finished() && frames < maxFrames) {
        std::size_t n = engine.render(buf.data(), 1000);
        all.insert(all.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(2 * n));
        frames += n;
    }
    return split(all, frames, static_cast<int>(engine.rate()));
}

inline Stereo render(const freqgen::Settings& settings, const std::vector<freqgen::Step>& steps,
                     int rate = 48000) {
    freqgen::Engine engine(settings, steps, rate);
    return render(engine);
}

inline Stereo renderFrames(freqgen::Engine& engine, std::size_t frames) {
    std::vector<float> buf(2 * frames);
    std::size_t n = engine.render(buf.data(), frames);
    return split(buf, n, static_cast<int>(engine.rate()));
}

inline Stereo readWav(const std::string& path, int* format = nullptr) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    Stereo s;
    if (!f) return s;
    std::vector<float> data(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
    sf_count_t n = sf_readf_float(f, data.data(), info.frames);
    sf_close(f);
    if (format) *format = info.format;
    if (info.channels != 2) return s;
    return split(data, static_cast<std::size_t>(n), info.samplerate);
}

// Times (in samples, linearly interpolated) where the signal crosses zero going up.
inline std::vector<double> risingCrossings(const std::vector<float>& x, std::size_t begin, std::size_t end) {
    std::vector<double> t;
    for (std::size_t i = begin + 1; i < end; ++i)
        if (x[i - 1] < 0.0f && x[i] >= 0.0f)
            t.push_back(static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]));
    return t;
}

inline double frequency(const std::vector<float>& x, std::size_t begin, std::size_t end, int rate) {
    auto t = risingCrossings(x, begin, end);
    if (t.size() < 2) return 0.0;
    return static_cast<double>(t.size() - 1) * rate / (t.back() - t.front());
}

inline double rms(const std::vector<float>& x, std::size_t begin, std::size_t end) {
    double sum = 0.0;
    for (std::size_t i = begin; i < end; ++i)
        sum += static_cast<double>(x[i]) * x[i];
    return std::sqrt(sum / static_cast<double>(end - begin));
}

// Magnitude of one frequency component, scaled so a sine of amplitude A gives A.
inline double component(const std::vector<float>& x, std::size_t begin, std::size_t end, double freq,
                        int rate) {
    double re = 0.0, im = 0.0;
    for (std::size_t i = begin; i < end; ++i) {
        double w = 2.0 * std::numbers::pi * freq * static_cast<double>(i) / rate;
        re += x[i] * std::cos(w);
        im += x[i] * std::sin(w);
    }
    return 2.0 * std::hypot(re, im) / static_cast<double>(end - begin);
}

inline double maxJump(const std::vector<float>& x, std::size_t begin, std::size_t end) {
    double m = 0.0;
    for (std::size_t i = begin + 1; i < end; ++i)
        m = std::max(m, std::fabs(static_cast<double>(x[i]) - x[i - 1]));
    return m;
}

} // namespace measure
