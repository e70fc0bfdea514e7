// Measuring what freqgen produces: rendering into memory, reading WAV files back, zero crossings, RMS.
#pragma once

#include "engine.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <sndfile.h>

namespace measure {

struct Stereo {
    std::vector<float> left, right;
    int rate = 0;
    std::size_t size() const { return left.size(); }
    void append(const float* lr, std::size_t frames) {
        for (std::size_t i = 0; i < 2 * frames; i += 2)
            left.push_back(lr[i]), right.push_back(lr[i + 1]);
    }
};

// Renders `frames` frames, or to the end, in 1000-frame chunks so block boundaries fall inside steps.
inline Stereo render(freqgen::Engine& engine, std::size_t frames = 1u << 26) {
    Stereo all{{}, {}, static_cast<int>(engine.rate())};
    std::vector<float> buf(2000);
    while (!engine.finished() && all.size() < frames)
        all.append(buf.data(), engine.render(buf.data(), std::min<std::size_t>(1000, frames - all.size())));
    return all;
}

inline Stereo render(const freqgen::Settings& settings, const std::vector<freqgen::Step>& steps,
                     int rate = 48000) {
    freqgen::Engine engine(settings, steps, rate);
    return render(engine);
}

inline Stereo readWav(const std::string& path, int* format = nullptr) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f) return {};
    std::vector<float> data(static_cast<std::size_t>(info.frames) * 2);
    Stereo s{{}, {}, info.samplerate};
    s.append(data.data(), static_cast<std::size_t>(sf_readf_float(f, data.data(), info.frames)));
    sf_close(f);
    if (format) *format = info.format;
    return s;
}

// The mean frequency over [begin, end) from the times (linearly interpolated) of upward zero crossings.
inline double frequency(const std::vector<float>& x, std::size_t begin, std::size_t end, int rate) {
    std::vector<double> t;
    for (std::size_t i = begin + 1; i < end; ++i)
        if (x[i - 1] < 0.0f && x[i] >= 0.0f)
            t.push_back(static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]));
    return t.size() < 2 ? 0.0 : static_cast<double>(t.size() - 1) * rate / (t.back() - t.front());
}

inline double rms(const std::vector<float>& x, std::size_t begin, std::size_t end) {
    auto first = x.begin() + static_cast<std::ptrdiff_t>(begin),
         last = x.begin() + static_cast<std::ptrdiff_t>(end);
    return std::sqrt(std::inner_product(first, last, first, 0.0) / static_cast<double>(end - begin));
}

// One frequency component over [begin, end), scaled so a sine of amplitude A has magnitude A.
inline std::complex<double> component(const std::vector<float>& x, std::size_t begin, std::size_t end,
                                      double freq, int rate) {
    std::complex<double> sum;
    for (std::size_t i = begin; i < end; ++i)
        sum += static_cast<double>(x[i]) *
               std::polar(1.0, -2.0 * std::numbers::pi * freq * static_cast<double>(i) / rate);
    return 2.0 * sum / static_cast<double>(end - begin);
}

inline double maxJump(const std::vector<float>& x, std::size_t begin, std::size_t end) {
    double m = 0.0;
    for (std::size_t i = begin + 1; i < end; ++i)
        m = std::max(m, std::fabs(static_cast<double>(x[i]) - x[i - 1]));
    return m;
}

} // namespace measure
