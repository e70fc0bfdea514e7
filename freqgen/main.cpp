// freqgen: plays a Sono program through the sound card, or renders it to a sound file.
#include "engine.h"
#include "options.h"
#include "render.h"
#include "session.h"
#include "status.h"
#include "text.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <optional>
#include <poll.h>
#include <portaudio.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace freqgen;

namespace {

// Set from the signal handler; the only state that cannot live in main's own objects.
volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int) {
    stopRequested = 1;
}

bool stdinIsTty() {
    return isatty(STDIN_FILENO) == 1;
}

// Sono starts freqgen in a terminal window that closes with it: hold the window so a message can be read.
void waitForEnter() {
    if (!stdinIsTty()) return;
    std::cout << "Press Enter to close." << std::endl; // NOLINT(performance-avoid-endl): shown before waiting
    std::string line;
    std::getline(std::cin, line);
}

// A status line wider than the terminal would wrap, and the carriage return would then only rewrite
// its last part.
std::string fitToTerminal(std::string line) {
    winsize ws{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 1 && line.size() >= ws.ws_col)
        line.resize(ws.ws_col - 1u);
    return line;
}

int renderWav(const Invocation& inv, const std::string& outFile, const std::vector<Step>& steps) {
    int rate = fileRate(inv);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        Fold fold = foldToNyquist(steps[i].freq, rate);
        if (fold.octaves > 0 && steps[i].seconds > 0)
            std::cout << fmt("Step {}: {}\n", i + 1, foldNote(steps[i].freq, fold, rate));
    }
    std::time_t start = std::time(nullptr);
    // Ctrl+C or a closed terminal ends the render without leaving the unfinished file behind.
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    ProgressPacer pacer;
    RenderHooks hooks{[] { return stopRequested != 0; },
                      [&](double done, double total, bool last) {
                          if (pacer.due(ProgressPacer::Clock::now(), last))
                              std::cerr << progressLine(done, total) << '\n';
                      }};
    FileFormat format{inv.outType, inv.floatWav ? SampleFormat::Float : SampleFormat::Pcm16, rate};
    auto result = renderToFile(inv.settings, steps, outFile, format, hooks);
    if (!result) {
        std::cerr << result.error() << '\n';
        return kExitOutput;
    }
    if (inv.settings.record) {
        auto log = SessionLog::create(std::filesystem::current_path(), start, inv.runFile);
        if (!log) {
            std::cerr << log.error() << '\n';
            return kExitOutput;
        }
        for (const PlayedStep& p : result->played)
            log->add(p, rate);
    }
    std::cout << fmt("Wrote {}: {} frames, {} at {} Hz\n", outFile, result->frames,
                     clockText(static_cast<double>(result->frames) / rate), rate);
    return kExitOk;
}

// Puts the terminal into single-key mode for as long as it lives.
class RawTerminal {
public:
    RawTerminal() {
        if (!stdinIsTty() || tcgetattr(STDIN_FILENO, &saved_) != 0) return;
        termios raw = saved_;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_cc[VMIN] = 0;
        raw.c_cc[VTIME] = 0;
        active_ = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    }
    ~RawTerminal() {
        if (active_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;
    bool active() const { return active_; }

    // Waits up to timeoutMs for a key; an escape sequence (arrow keys and the like) is swallowed.
    std::optional<char> key(int timeoutMs) {
        if (!active_) return std::nullopt;
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) return std::nullopt;
        char c = 0;
        if (read(STDIN_FILENO, &c, 1) != 1) return std::nullopt;
        if (c == 27 && poll(&p, 1, 30) > 0) {
            char junk[16];
            while (poll(&p, 1, 0) > 0 && read(STDIN_FILENO, junk, sizeof junk) > 0) {
            }
            return std::nullopt;
        }
        return c;
    }

private:
    termios saved_{};
    bool active_ = false;
};

struct Shared {
    std::mutex mutex;
    Engine engine;
};

int audioCallback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                  PaStreamCallbackFlags, void* user) {
    auto* shared = static_cast<Shared*>(user);
    std::lock_guard lock(shared->mutex);
    shared->engine.render(static_cast<float*>(output), frames);
    return shared->engine.finished() ? paComplete : paContinue;
}

// PortAudio's host back-ends print their probing noise on stderr; keep the terminal readable.
PaError quietInitialize() {
    std::fflush(stderr);
    int saved = dup(STDERR_FILENO);
    int devNull = open("/dev/null", O_WRONLY);
    if (saved >= 0 && devNull >= 0) dup2(devNull, STDERR_FILENO);
    PaError err = Pa_Initialize();
    if (saved >= 0 && devNull >= 0) dup2(saved, STDERR_FILENO);
    if (devNull >= 0) close(devNull);
    if (saved >= 0) close(saved);
    return err;
}

double pickRate(const PaStreamParameters& out, bool extended) {
    const double wanted[] = {192000, 176400, 96000, 88200, 48000, 44100};
    for (double rate : wanted) {
        if (!extended && rate > kDefaultRate) continue;
        if (Pa_IsFormatSupported(nullptr, &out, rate) == paFormatIsSupported) return rate;
    }
    return Pa_GetDeviceInfo(out.device)->defaultSampleRate;
}

int noDevice(const std::string& why) {
    std::cout << "No sound output device could be used, so the program cannot be played (" << why
              << ").\nTo make a WAV file instead, add --wav FILE (see freqgen --help).\n";
    waitForEnter();
    return kExitAudio;
}

int play(const Invocation& inv, std::vector<Step> steps) {
    if (quietInitialize() != paNoError) return noDevice("the sound system did not start");
    struct Terminate {
        ~Terminate() { Pa_Terminate(); }
    } terminate;

    PaStreamParameters out{};
    out.device = Pa_GetDefaultOutputDevice();
    if (out.device == paNoDevice) return noDevice("none was found");
    out.channelCount = 2;
    out.sampleFormat = paFloat32;
    out.suggestedLatency = Pa_GetDeviceInfo(out.device)->defaultHighOutputLatency;
    double rate = pickRate(out, inv.settings.extended);
    if (auto gating = checkGatingRate(inv.settings, rate)) {
        std::cerr << gating->message << '\n';
        waitForEnter();
        return gating->exitCode;
    }

    Shared shared{{}, Engine(inv.settings, std::move(steps), rate)};
    if (shared.engine.finished()) {
        std::cout << fmt("{} holds no step to play.\n", inv.runFile);
        waitForEnter();
        return kExitOk;
    }

    std::optional<SessionLog> log;
    std::time_t start = std::time(nullptr);
    if (inv.settings.record) {
        auto created = SessionLog::create(std::filesystem::current_path(), start, inv.runFile);
        if (!created) {
            std::cout << created.error() << '\n';
            waitForEnter();
            return kExitOutput;
        }
        log.emplace(std::move(*created));
    }

    PaStream* stream = nullptr;
    PaError err = Pa_OpenStream(&stream, nullptr, &out, rate, paFramesPerBufferUnspecified, paNoFlag,
                                audioCallback, &shared);
    if (err != paNoError) return noDevice(Pa_GetErrorText(err));
    if ((err = Pa_StartStream(stream)) != paNoError) {
        Pa_CloseStream(stream);
        return noDevice(Pa_GetErrorText(err));
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    RawTerminal terminal;
    bool liveLine = isatty(STDOUT_FILENO) == 1;
    std::cout << fmt("freqgen: playing {} at {} Hz.", inv.runFile, plainNumber(rate))
              << (terminal.active() ? " Keys: space pause, n next, b back, +/- volume, N spread, q quit.\n"
                                    : "\n");

    int lastStep = -1;
    bool shownFinished = false;
    while (true) {
        std::optional<char> key = terminal.active() ? terminal.key(100) : std::nullopt;
        if (!terminal.active()) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        Status st;
        std::vector<PlayedStep> played;
        {
            std::lock_guard lock(shared.mutex);
            Engine& e = shared.engine;
            if (stopRequested) e.quit();
            if (key) applyKey(e, *key);
            st = e.status();
            played = e.takePlayed();
        }
        if (log)
            for (const PlayedStep& p : played)
                log->add(p, rate);
        if (st.step != lastStep && st.foldedOctaves > 0)
            std::cout << (liveLine ? "\r\x1b[K" : "")
                      << foldNote(st.freq, Fold{st.playedFreq, st.foldedOctaves}, rate) << '\n';
        if (liveLine)
            std::cout << '\r' << fitToTerminal(statusLine(st)) << "\x1b[K" << std::flush;
        else if (st.step != lastStep && !st.finished)
            std::cout << statusLine(st)
                      << std::endl; // NOLINT(performance-avoid-endl): one line per change, at once
        lastStep = st.step;
        shownFinished = liveLine && st.finished;
        if (st.finished || Pa_IsStreamActive(stream) != 1) break;
    }
    Pa_StopStream(stream);
    Pa_CloseStream(stream);
    Status last;
    {
        std::lock_guard lock(shared.mutex);
        last = shared.engine.status();
        if (log)
            for (const PlayedStep& p : shared.engine.takePlayed())
                log->add(p, rate);
    }
    if (liveLine && !shownFinished) std::cout << '\r' << fitToTerminal(statusLine(last)) << "\x1b[K";
    if (liveLine)
        std::cout << '\n';
    else if (last.finished)
        std::cout << statusLine(last) << '\n';
    if (!last.finished) std::cout << "Playing stopped: the sound output ended the stream.\n";
    std::cout << std::flush;
    return kExitOk;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "freqgen " SONO_VERSION "\n";
        return kExitOk;
    }
    auto inv = parseCommandLine(args);
    bool wav = inv && inv->outFile;
    if (!inv) {
        std::cerr << inv.error().message << '\n';
        waitForEnter();
        return inv.error().exitCode;
    }
    if (inv->help) {
        std::cout << usageText();
        return kExitOk;
    }
    auto steps = readRunFile(inv->runFile);
    if (!steps) {
        std::cerr << steps.error().message << '\n';
        if (!wav) waitForEnter();
        return steps.error().exitCode;
    }
    if (const auto& outFile = inv->outFile) return renderWav(*inv, *outFile, *steps);
    return play(*inv, std::move(*steps));
}
