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
constexpr double kVorbisQuality = 0.8;

const char* kindName(FileType type) {
    switch (type) {
    case FileType::Flac:
        return "FLAC";
    case FileType::Vorbis:
        return "Ogg Vorbis";
    case FileType::Wav:
        break;
    }
    return "WAV";
}

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

int soundFormat(const FileFormat& format, double seconds) {
    bool floats = format.sample == SampleFormat::Float;
    switch (format.type) {
    case FileType::Flac:
        return SF_FORMAT_FLAC | (floats ? SF_FORMAT_PCM_24 : SF_FORMAT_PCM_16);
    case FileType::Vorbis:
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    case FileType::Wav:
        break;
    }
    // The RIFF sizes are 32 bits and count the header too; leave it ample room.
    double dataBytes = seconds * format.rate * 2 * (floats ? 4 : 2);
    bool rf64 = dataBytes > 4294967295.0 - 65536.0;
    return (rf64 ? SF_FORMAT_RF64 : SF_FORMAT_WAV) | (floats ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_16);
}

std::expected<RenderResult, std::string> renderToSound(const Settings& settings,
                                                       const std::vector<Step>& steps,
                                                       const FileFormat& format, const SoundOpener& open,
                                                       const RenderHooks& hooks) {
    Engine engine(settings, steps, format.rate);
    const double total = engine.status().programLeft;
    SF_INFO info{};
    info.samplerate = format.rate;
    info.channels = 2;
    info.format = soundFormat(format, total);
    std::unique_ptr<SNDFILE, SndCloser> file(open(info));
    if (!file) return std::unexpected(std::string(sf_strerror(nullptr)));
    if (format.type == FileType::Vorbis) {
        // Pure tones cost few bits even at a high quality.
        double quality = kVorbisQuality;
        sf_command(file.get(), SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    // The band-limited waves overshoot full scale a little; integers must clip, not wrap.
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // Vorbis encodes from float, so rounding to 16 bits first would only lose detail.
    const bool shorts = format.sample == SampleFormat::Pcm16 && format.type != FileType::Vorbis;

    std::vector<float> buffer(kChunkFrames * 2);
    std::vector<std::int16_t> pcm(shorts ? kChunkFrames * 2 : 0);
    RenderResult result;
    auto progress = [&] {
        if (hooks.progress)
            hooks.progress(static_cast<double>(result.frames) / format.rate, total, engine.finished());
    };
    progress();
    while (!engine.finished()) {
        if (hooks.stop && hooks.stop()) return std::unexpected(std::string("stopped before the end"));
        std::size_t n = engine.render(buffer.data(), kChunkFrames);
        if (n == 0) break;
        sf_count_t written = 0;
        if (shorts) {
            toPcm16(buffer.data(), pcm.data(), n * 2);
            written = sf_writef_short(file.get(), pcm.data(), static_cast<sf_count_t>(n));
        } else {
            written = sf_writef_float(file.get(), buffer.data(), static_cast<sf_count_t>(n));
        }
        if (written != static_cast<sf_count_t>(n))
            return std::unexpected(std::string(sf_strerror(file.get())));
        result.frames += static_cast<std::int64_t>(n);
        progress();
    }
    result.played = engine.takePlayed();
    // Closing writes the header (and the last FLAC or Vorbis frames).
    if (int err = sf_close(file.release()); err != 0)
        return std::unexpected(std::string(sf_error_number(err)));
    return result;
}

std::expected<RenderResult, std::string> renderToFile(const Settings& settings,
                                                      const std::vector<Step>& steps, const std::string& path,
                                                      const FileFormat& format, const RenderHooks& hooks) {
    std::string partial = path + ".part";
    auto cannot = [&](const std::string& why) {
        return std::unexpected(
            fmt("freqgen: cannot write the {} file \"{}\": {}", kindName(format.type), path, why));
    };
    // The lock lives as long as the descriptor, so it ends however this process ends, and a .part nobody
    // holds is a leftover.
    Descriptor part{open(partial.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)};
    if (part.fd < 0) return cannot(std::strerror(errno));
    if (flock(part.fd, LOCK_EX | LOCK_NB) != 0)
        return cannot(errno == EWOULDBLOCK ? fmt("another freqgen is writing \"{}\"", partial)
                                           : std::string(std::strerror(errno)));
    // Removed while still locked, so no other freqgen can have taken it over.
    auto fail = [&](const std::string& why) -> std::unexpected<std::string> {
        std::error_code ec;
        std::filesystem::remove(partial, ec);
        return cannot(why);
    };
    if (ftruncate(part.fd, 0) != 0) return fail(std::strerror(errno));
    auto result = renderToSound(
        settings, steps, format,
        [&](SF_INFO& info) { return sf_open_fd(part.fd, SFM_WRITE, &info, SF_FALSE); }, hooks);
    if (!result) return fail(result.error());
    // The descriptor, and with it the lock, stays until the file has its name.
    if (fsync(part.fd) != 0) return fail(std::strerror(errno));
    std::error_code ec;
    std::filesystem::rename(partial, path, ec);
    if (ec) return fail(ec.message());
    return result;
}

std::string progressLine(double done, double total) {
    return fmt("progress {} {}", std::round(done * 1000) / 1000, std::round(total * 1000) / 1000);
}

bool ProgressPacer::due(Clock::time_point now, bool last) {
    if (!last && previous_ && now - *previous_ < interval_) return false;
    previous_ = now;
    return true;
}

} // namespace freqgen
