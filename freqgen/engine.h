// The synthesiser and step sequencer shared by live playing and WAV rendering.
#pragma once

#include "options.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace freqgen {

// The nuke spread, in Hz around the current frequency, each offset played for kSpreadSeconds.
inline constexpr std::array<double, 18> kSpreadOffsets{
    -3, -2, -1.5, -1, -0.75, -0.5, -0.25, -0.10, -0.05, 0.05, 0.10, 0.25, 0.5, 0.75, 1, 1.5, 2, 3};
inline constexpr double kSpreadSeconds = 180.0;

// Start, pause, stop and the way in and out of silent steps fade over this time; a tone followed by silence
// fades out within its own step, so the silence is silent from its first sample.
inline constexpr double kFadeSeconds = 0.005;
// Gating edges: short enough to keep the gate sharp, long enough not to click.
inline constexpr double kGateEdgeSeconds = 0.0005;
inline constexpr double kVolumeStep = 0.05;

struct Fold {
    double freq = 0.0;
    int octaves = 0;
};

// Frequencies at or above the Nyquist limit cannot be produced; halve them until they can.
Fold foldToNyquist(double freq, double rate);

std::int64_t stepFrames(double seconds, double rate);

struct PlayedStep {
    int number = 0; // 1-based position in the program at the time it played
    double freq = 0.0;
    std::int64_t startFrame = 0; // output frames since the start, pauses included
    std::int64_t frames = 0;     // frames of the step actually played
};

struct Status {
    int step = 0; // 1-based; 0 when nothing is left to play
    int count = 0;
    double freq = 0.0;
    double playedFreq = 0.0;
    int foldedOctaves = 0;
    double stepLeft = 0.0;
    double programLeft = 0.0;
    double elapsed = 0.0;  // seconds of program played, pauses not counted
    double position = 0.0; // seconds from the start of the program to the point playing
    double volLeft = 0.0;
    double volRight = 0.0;
    bool paused = false;
    bool finished = false;
};

// A program as the engine plays it, with the seconds from the start of each step to the end, so the
// time left is known without walking the list. Built away from the audio thread.
struct StepList {
    std::vector<Step> steps;
    std::vector<double> secondsFrom; // one more than steps; the last is 0
};

StepList makeStepList(std::vector<Step> steps, double rate);

// The program with the nuke spread inserted after step `index`; nothing when that step is silent.
std::optional<StepList> spreadStepList(const std::vector<Step>& steps, int index, double rate);

// What keys and the control channel ask of the player.
enum class Command { TogglePause, Pause, Resume, Next, Back, Louder, Softer, Spread, Stop };

class Engine {
public:
    Engine(const Settings& settings, std::vector<Step> steps, double rate);

    // Writes interleaved stereo frames. Returns how many frames belong to the program; once it has ended the
    // rest of the buffer is zero and finished() is true.
    std::size_t render(float* out, std::size_t frames);

    void togglePause();
    void next();
    void back();
    void quit();
    void changeVolume(double delta);
    void setPaused(bool paused);
    // Returns false when there is no audible step to spread around.
    bool insertSpread();
    // Takes the step list built for the step at `index` if that step still plays; the list handed in
    // then holds the old one. Allocates nothing.
    bool adoptSteps(StepList& list, int index);
    // Spread allocates: a player on the audio thread hands a StepList over instead.
    void apply(Command command);

    Status status() const;
    std::vector<PlayedStep> takePlayed();
    // From now on at most `capacity` played steps are kept between drains, so ending a step never
    // allocates; the ones beyond are counted as lost.
    void keepPlayedWithin(std::size_t capacity);
    template <typename F> void drainPlayed(F&& take) {
        for (const PlayedStep& p : played_)
            take(p);
        played_.clear();
    }
    std::size_t lostPlayed() const { return lostPlayed_; }
    bool finished() const { return finished_; }
    double rate() const { return rate_; }
    const std::vector<Step>& steps() const { return steps_; }

private:
    int nextPlayable(int from) const;
    int followingStep() const;
    bool endsInSilence() const;
    void moveTo(int index);
    void enterStep(int index);
    void endStep();
    void finish();
    double targetGain() const;
    void renderBlock(float* out, std::size_t n);
    void oscillate(std::size_t n);

    Settings settings_;
    std::vector<Step> steps_;
    std::vector<double> secondsFrom_;
    double rate_;
    double fadeStep_;

    int current_ = -1;
    std::int64_t stepLength_ = 0;
    std::int64_t pos_ = 0;
    std::int64_t stepStartFrame_ = 0;
    std::int64_t frameCounter_ = 0;
    std::int64_t programFrames_ = 0;
    bool silentStep_ = false;
    bool paused_ = false;
    bool quitting_ = false;
    bool finished_ = false;
    int following_ = -1; // an earlier step a key chose, played once this one has faded out

    // Oscillator: phase in cycles, kept in [0, 1).
    double phase_ = 0.0;
    double inc_ = 0.0;
    double freq_ = 0.0;
    int folded_ = 0;
    double phaseOffset_ = 0.0; // cycles, right channel ahead of left
    double gatePhase_ = 0.0;
    double gateInc_ = 0.0;
    double gateEdge_ = 0.0; // cycles of the gate period

    // Square and saw are read from tables of one band-limited period, one per count of harmonics; a step
    // plays the richest table whose harmonics all stay below Nyquist.
    struct WaveTable {
        int harmonics = 0;
        std::vector<float> samples; // a power of two of them, and the first again for interpolation
    };
    std::vector<WaveTable> tables_;
    const WaveTable* table_ = nullptr;

    double gain_ = 0.0;
    double volLeft_ = 0.0, volRight_ = 0.0;
    double volLeftTarget_ = 0.0, volRightTarget_ = 0.0;

    std::vector<float> waveL_, waveR_;
    std::vector<PlayedStep> played_;
    std::size_t playedBound_ = 0;
    std::size_t lostPlayed_ = 0;
};

} // namespace freqgen
