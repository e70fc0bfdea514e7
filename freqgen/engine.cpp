#include "engine.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <complex>
#include <numbers>

namespace freqgen {

namespace {

constexpr std::size_t kBlock = 256;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The richest table: only below Nyquist / 2048 (11.7 Hz at 48 kHz) does a square or saw stop short of it.
constexpr int kMaxHarmonics = 2048;
// Neighbouring tables are an eighth of an octave apart at most, so a step's top harmonic lies that close to
// Nyquist (22 kHz at 48 kHz).
constexpr double kTableSpacing = 1.0905077326652577;

// One period of the square or saw of peak 1 cut off after `harmonics` harmonics, summed by an inverse FFT.
// Linear interpolation in a table of n points adds images of harmonic k at about (k / n)^2 of its level, and
// harmonic k is 1 / k of the fundamental: n >= 183 sqrt(harmonics) keeps them 90 dB down, n >= 8 harmonics
// keeps the top harmonic smooth.
std::vector<float> bandLimited(Wave wave, int harmonics) {
    const std::size_t size = std::bit_ceil(static_cast<std::size_t>(
        std::max(8.0 * harmonics, 183.0 * std::sqrt(static_cast<double>(harmonics)))));
    std::vector<std::complex<double>> z(size);
    for (int k = 1; k <= harmonics; ++k)
        if (wave == Wave::Saw || k % 2 == 1) // saw: 2t - 1; square: 1 for t < 1/2, else -1
            z[static_cast<std::size_t>(k)] = (wave == Wave::Saw ? -2.0 : 4.0) / (std::numbers::pi * k);
    for (std::size_t i = 1, j = 0; i < size; ++i) {
        std::size_t bit = size >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(z[i], z[j]);
    }
    std::vector<std::complex<double>> turn(size / 2);
    for (std::size_t k = 0; k < size / 2; ++k)
        turn[k] = std::polar(1.0, kTwoPi * static_cast<double>(k) / static_cast<double>(size));
    for (std::size_t len = 2; len <= size; len <<= 1)
        for (std::size_t i = 0; i < size; i += len)
            for (std::size_t k = 0; k < len / 2; ++k) {
                // Written out: the library's complex product checks for infinities, at several times the
                // cost.
                std::complex<double> u = z[i + k], x = z[i + k + len / 2], t = turn[k * (size / len)];
                std::complex<double> v{x.real() * t.real() - x.imag() * t.imag(),
                                       x.real() * t.imag() + x.imag() * t.real()};
                z[i + k] = u + v;
                z[i + k + len / 2] = u - v;
            }
    std::vector<float> samples(size + 1);
    for (std::size_t i = 0; i < size; ++i)
        samples[i] = static_cast<float>(z[i].imag());
    samples[size] = samples[0];
    return samples;
}

// Raised-cosine edges centred on the switching points, so half the period stays above half level.
double gate(double x, double edge) {
    double h = edge * 0.5;
    if (x < h) return 0.5 - 0.5 * std::cos(std::numbers::pi * (x / edge + 0.5));
    if (x >= 1.0 - h) return 0.5 - 0.5 * std::cos(std::numbers::pi * ((x - 1.0) / edge + 0.5));
    if (x >= 0.5 - h && x < 0.5 + h) return 0.5 + 0.5 * std::cos(std::numbers::pi * ((x - 0.5) / edge + 0.5));
    return x < 0.5 ? 1.0 : 0.0;
}

double approach(double value, double target, double step) {
    if (value < target) return std::min(target, value + step);
    return std::max(target, value - step);
}

} // namespace

Fold foldToNyquist(double freq, double rate) {
    Fold f{freq, 0};
    while (f.freq >= rate / 2.0) {
        f.freq /= 2.0;
        ++f.octaves;
    }
    return f;
}

std::int64_t stepFrames(double seconds, double rate) {
    if (!(seconds > 0.0)) return 0;
    return std::llround(seconds * rate);
}

StepList makeStepList(std::vector<Step> steps, double rate) {
    StepList list{std::move(steps), {}};
    list.secondsFrom.assign(list.steps.size() + 1, 0.0);
    // Summed in seconds: millions of the longest steps would overflow a 64-bit count of frames.
    for (std::size_t i = list.steps.size(); i-- > 0;)
        list.secondsFrom[i] =
            list.secondsFrom[i + 1] + static_cast<double>(stepFrames(list.steps[i].seconds, rate)) / rate;
    return list;
}

std::optional<StepList> spreadStepList(const std::vector<Step>& steps, int index, double rate) {
    if (index < 0 || index >= static_cast<int>(steps.size()) || !(steps[index].freq > 0.0))
        return std::nullopt;
    std::vector<Step> spread;
    spread.reserve(steps.size() + std::size(kSpreadOffsets));
    spread.insert(spread.end(), steps.begin(), steps.begin() + index + 1);
    for (double offset : kSpreadOffsets)
        spread.push_back({steps[index].freq + offset, kSpreadSeconds});
    spread.insert(spread.end(), steps.begin() + index + 1, steps.end());
    return makeStepList(std::move(spread), rate);
}

Engine::Engine(const Settings& settings, std::vector<Step> steps, double rate)
    : settings_(settings), rate_(rate), fadeStep_(1.0 / (kFadeSeconds * rate)), waveL_(kBlock),
      waveR_(kBlock) {
    double offset = settings_.phaseDeg / 360.0;
    phaseOffset_ = settings_.leftEqualsRight ? 0.0 : offset - std::floor(offset);
    if (settings_.gatingPps > 0.0) {
        gateInc_ = settings_.gatingPps / rate_;
        gateEdge_ = std::min(kGateEdgeSeconds * settings_.gatingPps, 0.25);
        gatePhase_ = gateEdge_ / 2.0;
    }
    StepList list = makeStepList(std::move(steps), rate_);
    steps_ = std::move(list.steps);
    secondsFrom_ = std::move(list.secondsFrom);
    volLeft_ = volLeftTarget_ = settings_.volLeft;
    volRight_ = volRightTarget_ = settings_.volRight;
    if (settings_.wave != Wave::Sine)
        for (int h = 1;; h = std::min(kMaxHarmonics, std::max(h + 1, static_cast<int>(h * kTableSpacing)))) {
            tables_.push_back({h, bandLimited(settings_.wave, h)});
            if (h == kMaxHarmonics) break;
        }
    // A program may start in silence, where a volume change still runs the (silent) oscillator.
    if (!tables_.empty()) table_ = &tables_.front();
    int first = nextPlayable(0);
    if (first < 0)
        finished_ = true;
    else
        enterStep(first);
}

int Engine::nextPlayable(int from) const {
    for (int i = std::max(from, 0); i < static_cast<int>(steps_.size()); ++i)
        if (stepFrames(steps_[i].seconds, rate_) > 0) return i;
    return -1;
}

// The step after this one: the one a key chose, else the next in the program.
int Engine::followingStep() const {
    return following_ >= 0 ? following_ : nextPlayable(current_ + 1);
}

bool Engine::endsInSilence() const {
    int following = followingStep();
    return following < 0 || !(steps_[following].freq > 0.0);
}

// Into silence the tone first fades out, as the end of its own step; between tones the wave runs on at once.
void Engine::moveTo(int index) {
    if (gain_ > 0.0 && !(steps_[index].freq > 0.0)) {
        // A later step is the next in the program anyway, and stays so if a spread is inserted meanwhile.
        following_ = index > current_ ? -1 : index;
        stepLength_ = pos_ + static_cast<std::int64_t>(std::ceil(gain_ / fadeStep_));
        return;
    }
    endStep();
    enterStep(index);
}

void Engine::enterStep(int index) {
    current_ = index;
    following_ = -1;
    stepLength_ = stepFrames(steps_[index].seconds, rate_);
    pos_ = 0;
    stepStartFrame_ = frameCounter_;
    double f = steps_[index].freq;
    silentStep_ = !(f > 0.0);
    if (silentStep_) {
        // The tone before has faded out within its own step, down to its last 1 / fadeFrames.
        gain_ = 0.0;
    } else {
        // The phase is left alone so the wave runs on without a jump.
        Fold fold = foldToNyquist(f, rate_);
        freq_ = fold.freq;
        folded_ = fold.octaves;
        inc_ = freq_ / rate_;
        if (!tables_.empty()) {
            // Harmonic k sounds at k * freq_, below Nyquist only while k < rate / 2 / freq_.
            int fit = static_cast<int>(std::ceil(std::min(rate_ / 2.0 / freq_, kMaxHarmonics + 1.0))) - 1;
            table_ = &*std::prev(std::ranges::upper_bound(tables_, fit, {}, &WaveTable::harmonics));
        }
    }
}

void Engine::endStep() {
    if (current_ >= 0 && pos_ > 0) {
        if (playedBound_ == 0 || played_.size() < playedBound_)
            played_.push_back({current_ + 1, steps_[current_].freq, stepStartFrame_, pos_});
        else
            ++lostPlayed_;
    }
    pos_ = 0;
}

void Engine::finish() {
    endStep();
    current_ = -1;
    finished_ = true;
}

double Engine::targetGain() const {
    return paused_ || quitting_ || silentStep_ ? 0.0 : 1.0;
}

std::size_t Engine::render(float* out, std::size_t frames) {
    std::size_t done = 0;
    while (done < frames && !finished_) {
        if (quitting_ && gain_ <= 0.0) {
            finish();
            break;
        }
        if (paused_ && gain_ <= 0.0) {
            // Held: silence, and the step keeps its place.
            std::fill(out + 2 * done, out + 2 * frames, 0.0f);
            frameCounter_ += static_cast<std::int64_t>(frames - done);
            return frames;
        }
        if (pos_ >= stepLength_) {
            endStep();
            int following = followingStep();
            if (following < 0) {
                finish();
                break;
            }
            enterStep(following);
            continue;
        }
        std::size_t n = std::min({frames - done, kBlock, static_cast<std::size_t>(stepLength_ - pos_)});
        if (paused_ || quitting_) {
            // Stop the block where the fade reaches silence, so a pause holds the step at that sample.
            auto toSilence = static_cast<std::size_t>(std::ceil(gain_ / fadeStep_));
            n = std::min(n, std::max<std::size_t>(toSilence, 1));
        }
        renderBlock(out + 2 * done, n);
        pos_ += static_cast<std::int64_t>(n);
        frameCounter_ += static_cast<std::int64_t>(n);
        programFrames_ += static_cast<std::int64_t>(n);
        done += n;
    }
    std::fill(out + 2 * done, out + 2 * frames, 0.0f);
    return done;
}

void Engine::oscillate(std::size_t n) {
    bool split = phaseOffset_ != 0.0;
    if (settings_.wave == Wave::Sine) {
        // Exact sine at the block start, then a rotation recurrence; restarting every block keeps the
        // recurrence error far below the 16-bit step.
        double s = std::sin(kTwoPi * phase_), c = std::cos(kTwoPi * phase_);
        double rc = std::cos(kTwoPi * inc_), rs = std::sin(kTwoPi * inc_);
        double pc = std::cos(kTwoPi * phaseOffset_), ps = std::sin(kTwoPi * phaseOffset_);
        float* l = waveL_.data();
        float* r = waveR_.data();
        if (split) {
            for (std::size_t i = 0; i < n; ++i) {
                l[i] = static_cast<float>(s);
                r[i] = static_cast<float>(s * pc + c * ps);
                double s2 = s * rc + c * rs;
                c = c * rc - s * rs;
                s = s2;
            }
        } else {
            for (std::size_t i = 0; i < n; ++i) {
                l[i] = static_cast<float>(s);
                double s2 = s * rc + c * rs;
                c = c * rc - s * rs;
                s = s2;
            }
        }
        phase_ += static_cast<double>(n) * inc_;
        phase_ -= std::floor(phase_);
        return;
    }
    const float* w = table_->samples.data();
    const double size = static_cast<double>(table_->samples.size() - 1);
    auto read = [w, size](double t) {
        double x = t * size;
        auto i = static_cast<std::size_t>(x);
        return w[i] + static_cast<float>(x - static_cast<double>(i)) * (w[i + 1] - w[i]);
    };
    double t = phase_;
    for (std::size_t i = 0; i < n; ++i) {
        waveL_[i] = read(t);
        if (split) {
            double t2 = t + phaseOffset_;
            if (t2 >= 1.0) t2 -= 1.0;
            waveR_[i] = read(t2);
        }
        t += inc_;
        if (t >= 1.0) t -= 1.0;
    }
    phase_ = t;
}

void Engine::renderBlock(float* out, std::size_t n) {
    double target = targetGain();
    bool steady = gain_ == target && volLeft_ == volLeftTarget_ && volRight_ == volRightTarget_;
    double fadeFrames = kFadeSeconds * rate_;
    bool tail = !silentStep_ &&
                static_cast<double>(stepLength_ - pos_) - static_cast<double>(n) < fadeFrames &&
                endsInSilence();
    if (steady && target == 0.0 && !tail) {
        std::fill(out, out + 2 * n, 0.0f);
        phase_ += static_cast<double>(n) * inc_;
        phase_ -= std::floor(phase_);
        gatePhase_ += static_cast<double>(n) * gateInc_;
        gatePhase_ -= std::floor(gatePhase_);
        return;
    }
    oscillate(n);
    const float* l = waveL_.data();
    const float* r = phaseOffset_ != 0.0 ? waveR_.data() : waveL_.data();
    if (steady && gateInc_ == 0.0 && !tail) {
        if (settings_.leftEqualsRight) {
            float v = static_cast<float>(volRight_);
            for (std::size_t i = 0; i < n; ++i)
                out[2 * i] = out[2 * i + 1] = r[i] * v;
        } else {
            float vl = static_cast<float>(volLeft_), vr = static_cast<float>(volRight_);
            for (std::size_t i = 0; i < n; ++i) {
                out[2 * i] = l[i] * vl;
                out[2 * i + 1] = r[i] * vr;
            }
        }
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        gain_ = approach(gain_, target, fadeStep_);
        volLeft_ = approach(volLeft_, volLeftTarget_, fadeStep_);
        volRight_ = approach(volRight_, volRightTarget_, fadeStep_);
        if (tail)
            gain_ = std::min(gain_, static_cast<double>(stepLength_ - pos_ - static_cast<std::int64_t>(i)) /
                                        fadeFrames);
        double env = gain_;
        if (gateInc_ > 0.0) {
            env *= gate(gatePhase_, gateEdge_);
            gatePhase_ += gateInc_;
            if (gatePhase_ >= 1.0) gatePhase_ -= std::floor(gatePhase_);
        }
        // Same float arithmetic as the steady path, so the result does not depend on where blocks fall.
        float right = r[i] * static_cast<float>(env * volRight_);
        out[2 * i + 1] = right;
        out[2 * i] = settings_.leftEqualsRight ? right : l[i] * static_cast<float>(env * volLeft_);
    }
}

void Engine::togglePause() {
    if (!finished_ && !quitting_) paused_ = !paused_;
}

void Engine::next() {
    if (finished_ || quitting_) return;
    int following = nextPlayable(current_ + 1);
    if (following < 0) {
        quit();
        return;
    }
    moveTo(following);
}

void Engine::back() {
    if (finished_ || quitting_) return;
    int previous = -1;
    for (int i = current_ - 1; i >= 0 && previous < 0; --i)
        if (stepFrames(steps_[i].seconds, rate_) > 0) previous = i;
    moveTo(previous >= 0 ? previous : current_);
}

void Engine::quit() {
    quitting_ = true;
}

void Engine::changeVolume(double delta) {
    volLeftTarget_ = std::clamp(volLeftTarget_ + delta, 0.0, 1.0);
    volRightTarget_ = std::clamp(volRightTarget_ + delta, 0.0, 1.0);
}

void Engine::setPaused(bool paused) {
    if (paused_ != paused) togglePause();
}

bool Engine::insertSpread() {
    if (finished_) return false;
    auto list = spreadStepList(steps_, current_, rate_);
    return list && adoptSteps(*list, current_);
}

bool Engine::adoptSteps(StepList& list, int index) {
    if (finished_ || index != current_ || list.steps.size() + 1 != list.secondsFrom.size()) return false;
    steps_.swap(list.steps);
    secondsFrom_.swap(list.secondsFrom);
    return true;
}

void Engine::apply(Command command) {
    switch (command) {
    case Command::TogglePause:
        togglePause();
        break;
    case Command::Pause:
    case Command::Resume:
        setPaused(command == Command::Pause);
        break;
    case Command::Next:
        next();
        break;
    case Command::Back:
        back();
        break;
    case Command::Louder:
    case Command::Softer:
        changeVolume(command == Command::Louder ? kVolumeStep : -kVolumeStep);
        break;
    case Command::Spread:
        insertSpread();
        break;
    case Command::Stop:
        quit();
        break;
    }
}

Status Engine::status() const {
    Status st;
    st.count = static_cast<int>(steps_.size());
    st.elapsed = static_cast<double>(programFrames_) / rate_;
    st.paused = paused_;
    st.finished = finished_;
    st.volLeft = volLeftTarget_;
    st.volRight = volRightTarget_;
    if (finished_ || current_ < 0) return st;
    st.step = current_ + 1;
    st.freq = steps_[current_].freq;
    st.playedFreq = silentStep_ ? 0.0 : freq_;
    st.foldedOctaves = silentStep_ ? 0 : folded_;
    st.stepLeft = static_cast<double>(stepLength_ - pos_) / rate_;
    st.programLeft = st.stepLeft + secondsFrom_[current_ + 1];
    st.position = secondsFrom_[0] - st.programLeft;
    return st;
}

void Engine::keepPlayedWithin(std::size_t capacity) {
    played_.reserve(capacity);
    playedBound_ = capacity;
}

std::vector<PlayedStep> Engine::takePlayed() {
    std::vector<PlayedStep> out;
    out.swap(played_);
    return out;
}

} // namespace freqgen
