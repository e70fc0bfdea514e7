// Measuring what freqgen produces: rendering into memory, reading WAV files back, zero crossings, RMS,
// spectra.
#pragma once

#include "engine.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <sndfile.hh>

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
    SndfileHandle f(path);
    std::vector<float> data(static_cast<std::size_t>(f.frames()) * 2);
    Stereo s{{}, {}, f.samplerate()};
    s.append(data.data(), static_cast<std::size_t>(f.readf(data.data(), f.frames())));
    if (format) *format = f.format();
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
    const double w = -2.0 * std::numbers::pi * freq / rate;
    std::complex<double> sum, turn = std::polar(1.0, w), at = std::polar(1.0, w * static_cast<double>(begin));
    for (std::size_t i = begin; i < end; ++i, at *= turn)
        sum += static_cast<double>(x[i]) * at;
    return 2.0 * sum / static_cast<double>(end - begin);
}

inline void fft(std::vector<std::complex<double>>& z) {
    const std::size_t n = z.size();
    if (n == 1) return;
    std::vector<std::complex<double>> even(n / 2), odd(n / 2);
    for (std::size_t i = 0; i < n / 2; ++i)
        even[i] = z[2 * i], odd[i] = z[2 * i + 1];
    fft(even), fft(odd);
    for (std::size_t k = 0; k < n / 2; ++k) {
        auto t =
            std::polar(1.0, -2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n)) * odd[k];
        z[k] = even[k] + t, z[k + n / 2] = even[k] - t;
    }
}

// Amplitude spectrum of x[begin, begin + n), n a power of two, under a 4-term Blackman-Harris window (side
// lobes below -92 dB, falling further away): bin k is k * rate / n Hz; a sine of amplitude A on a bin reads
// A.
inline std::vector<double> spectrum(const std::vector<float>& x, std::size_t begin, std::size_t n) {
    std::vector<std::complex<double>> z(n);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double p = 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
        double w = 0.35875 - 0.48829 * std::cos(p) + 0.14128 * std::cos(2 * p) - 0.01168 * std::cos(3 * p);
        z[i] = x[begin + i] * w, sum += w;
    }
    fft(z);
    std::vector<double> amplitude(n / 2);
    for (std::size_t k = 0; k < n / 2; ++k)
        amplitude[k] = 2 * std::abs(z[k]) / sum;
    return amplitude;
}

inline double maxJump(const std::vector<float>& x, std::size_t begin, std::size_t end) {
    double m = 0.0;
    for (std::size_t i = begin + 1; i < end; ++i)
        m = std::max(m, std::fabs(static_cast<double>(x[i]) - x[i - 1]));
    return m;
}

} // namespace measure
