#include "render.h"
#include "text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sndfile.h>
#include <sys/file.h>
#include <unistd.h>

namespace freqgen {

namespace {

constexpr std::size_t kChunkFrames = 1 << 16;

struct SndCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) close(fd);
    }
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
                                                     const std::string& path, int rate, SampleFormat format,
                                                     const std::function<bool()>& stop) {
    std::string partial = path + ".part";
    auto cannot = [&](const std::string& why) {
        return std::unexpected(fmt("freqgen: cannot write the WAV file \"{}\": {}", path, why));
    };
    // The lock lives as long as the descriptor, so it ends however this process ends, and a .part nobody
    // holds is a leftover.
    Descriptor part{open(partial.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666)};
    if (part.fd < 0) return cannot(std::strerror(errno));
    if (flock(part.fd, LOCK_EX | LOCK_NB) != 0)
        return cannot(errno == EWOULDBLOCK ? fmt("another freqgen is writing \"{}\"", partial)
                                           : std::string(std::strerror(errno)));
    std::unique_ptr<SNDFILE, SndCloser> file;
    // Removed while still locked, so no other freqgen can have taken it over.
    auto fail = [&](const std::string& why) -> std::unexpected<std::string> {
        file.reset();
        std::error_code ec;
        std::filesystem::remove(partial, ec);
        return cannot(why);
    };
    if (ftruncate(part.fd, 0) != 0) return fail(std::strerror(errno));
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | (format == SampleFormat::Float ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_16);
    file.reset(sf_open_fd(part.fd, SFM_WRITE, &info, SF_FALSE));
    if (!file) return fail(sf_strerror(nullptr));

    Engine engine(settings, steps, rate);
    std::vector<float> buffer(kChunkFrames * 2);
    std::vector<std::int16_t> pcm(format == SampleFormat::Pcm16 ? kChunkFrames * 2 : 0);
    RenderResult result;
    while (!engine.finished()) {
        if (stop && stop()) return fail("stopped before the end");
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
    // Closing writes the header; the descriptor, and with it the lock, stays until the file has its name.
    if (int err = sf_close(file.release()); err != 0) return fail(sf_error_number(err));
    if (fsync(part.fd) != 0) return fail(std::strerror(errno));
    std::error_code ec;
    std::filesystem::rename(partial, path, ec);
    if (ec) return fail(ec.message());
    return result;
}

} // namespace freqgen
