#include "FreqgenFiles.h"
#include "Measure.h"
#include "render.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sstream>

using namespace freqgen;

namespace {

SF_INFO infoOf(const std::string& path) {
    SF_INFO info{};
    if (SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info)) sf_close(f);
    return info;
}

double maxDifference(const std::vector<float>& a, const std::vector<float>& b) {
    double m = a.size() == b.size() ? 0.0 : 1e9;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        m = std::max(m, std::fabs(static_cast<double>(a[i]) - b[i]));
    return m;
}

// A sound that keeps the first bytes written (the header) and the length; the samples go nowhere.
struct HeaderSink {
    char head[4096] = {};
    sf_count_t pos = 0, length = 0;

    static HeaderSink& of(void* user) { return *static_cast<HeaderSink*>(user); }
    static SF_VIRTUAL_IO io() {
        return {
            [](void* u) { return of(u).length; },
            [](sf_count_t offset, int whence, void* u) {
                HeaderSink& s = of(u);
                s.pos = offset + (whence == SEEK_CUR ? s.pos : whence == SEEK_END ? s.length : 0);
                return s.pos;
            },
            [](void* ptr, sf_count_t n, void* u) {
                HeaderSink& s = of(u);
                sf_count_t kept = std::clamp<sf_count_t>(sf_count_t(sizeof s.head) - s.pos, 0, n);
                std::memset(ptr, 0, static_cast<std::size_t>(n));
                std::memcpy(ptr, s.head + std::min<sf_count_t>(s.pos, sizeof s.head),
                            static_cast<std::size_t>(kept));
                s.pos += n;
                return n;
            },
            [](const void* ptr, sf_count_t n, void* u) {
                HeaderSink& s = of(u);
                sf_count_t kept = std::clamp<sf_count_t>(sf_count_t(sizeof s.head) - s.pos, 0, n);
                std::memcpy(s.head + std::min<sf_count_t>(s.pos, sizeof s.head), ptr,
                            static_cast<std::size_t>(kept));
                s.pos += n;
                s.length = std::max(s.length, s.pos);
                return n;
            },
            [](void* u) { return of(u).pos; },
        };
    }
    std::string text(std::size_t at, std::size_t n) const { return {head + at, n}; }
    std::uint64_t number(std::size_t at, std::size_t bytes) const {
        std::uint64_t v = 0;
        for (std::size_t i = bytes; i-- > 0;)
            v = v << 8 | static_cast<unsigned char>(head[at + i]);
        return v;
    }
};

} // namespace

TEST_F(FreqgenFiles, OutWritesWavFlacAndOggByTheExtensionWithProgressOnStandardError) {
    write("p.run", "1000,1\n0,0.5\n440,1.5\n");
    const std::string options = "-vl 0.5 -vr 0.25 -P 90 -f p.run --out ";
    ASSERT_EQ(run(options + "p.wav"), 0) << read("err.txt");
    const measure::Stereo wav = measure::readWav(path("p.wav"));
    ASSERT_EQ(wav.size(), 3u * 48000);

    const measure::Stereo memory = measure::render({0.5, 0.25, false, false, false, Wave::Sine, 90, 0},
                                                   {{1000, 1}, {0, 0.5}, {440, 1.5}});
    const std::tuple<std::string, int, double> cases[] = {
        {"P.FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.0}, // the same samples as the 16-bit WAV
        {"p.flac --float", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1.0 / (1 << 23)},
        // Lossy, so near the samples only; one sample late, or the channels swapped, would be far off.
        {"p.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.02},
        {"p.oga", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.02},
    };
    for (const auto& [args, format, within] : cases) {
        SCOPED_TRACE(args);
        ASSERT_EQ(run(options + args), 0) << read("err.txt");
        const std::string err = read("err.txt");
        EXPECT_TRUE(err.starts_with("progress 0 3\n") && err.ends_with("\nprogress 3 3\n")) << err;
        const std::string file = path(args.substr(0, args.find(' ')));
        const SF_INFO info = infoOf(file);
        EXPECT_EQ(std::tuple(info.format, info.channels, info.samplerate, info.frames),
                  std::tuple(format, 2, 48000, sf_count_t(3 * 48000)));
        const measure::Stereo back = measure::readWav(file);
        const measure::Stereo& against = args.contains("float") ? memory : wav;
        EXPECT_LE(maxDifference(back.left, against.left), within);
        EXPECT_LE(maxDifference(back.right, against.right), within);
        EXPECT_FALSE(has(args.substr(0, args.find(' ')) + ".part"));
    }

    // Lines come at most every 0.2 s: far fewer than the 147 blocks of this render; the first and the last
    // always.
    write("quiet.run", "0,1200\n");
    ASSERT_EQ(run("-vl 1 -vr 1 -f quiet.run --out q.flac --rate 8000"), 0) << read("err.txt");
    std::istringstream err(read("err.txt"));
    std::vector<double> done;
    for (std::string word, value, total; err >> word >> value >> total;) {
        EXPECT_EQ(word + " " + total, "progress 1200");
        done.push_back(parseNumber(value).value_or(-1));
    }
    EXPECT_TRUE(done.size() >= 2 && done.size() < 40 && done.front() == 0 && done.back() == 1200 &&
                std::ranges::is_sorted(done))
        << read("err.txt");

    EXPECT_EQ(run("--version"), 0);
    EXPECT_EQ(read("out.txt"), "freqgen " SONO_VERSION "\n");
}

TEST(FreqgenOutput, AWavPastFourGibibytesIsWrittenAsRf64) {
    // Eight hours at 48 kHz in 16 bits pass the 32-bit sizes of a WAV header; six do not.
    EXPECT_EQ(soundFormat({FileType::Wav, SampleFormat::Pcm16, 48000}, 8 * 3600),
              SF_FORMAT_RF64 | SF_FORMAT_PCM_16);
    EXPECT_EQ(soundFormat({FileType::Wav, SampleFormat::Pcm16, 48000}, 6 * 3600),
              SF_FORMAT_WAV | SF_FORMAT_PCM_16);

    // Rendered for real, in float to halve the work: 4.4 GB of samples.
    const std::int64_t frames = 11500LL * 48000;
    const auto render = [](double seconds, HeaderSink& sink) {
        SF_VIRTUAL_IO io = HeaderSink::io();
        return renderToSound({0.5, 0.5}, {{440, seconds / 2}, {0, seconds / 2}},
                             {FileType::Wav, SampleFormat::Float, 48000},
                             [&](SF_INFO& info) { return sf_open_virtual(&io, SFM_WRITE, &info, &sink); });
    };
    HeaderSink big;
    ASSERT_EQ(render(11500, big).value().frames, frames);
    EXPECT_EQ(big.text(0, 4) + big.text(8, 8), "RF64WAVEds64");
    // ds64: the sizes of the whole file, of the data and the number of frames, in 64 bits.
    const std::uint64_t dataBytes = frames * 8;
    EXPECT_EQ(big.number(20, 8), big.length - 8);
    EXPECT_EQ(big.number(28, 8), dataBytes);
    EXPECT_EQ(big.number(36, 8), static_cast<std::uint64_t>(frames));
    EXPECT_EQ(big.text(big.length - dataBytes - 8, 4), "data");

    HeaderSink small;
    ASSERT_TRUE(render(10, small));
    EXPECT_EQ(small.text(0, 4) + small.text(8, 4), "RIFFWAVE");
    EXPECT_EQ(small.number(4, 4), small.length - 8);
}

TEST(FreqgenOutput, ProgressLinesComeAtMostEveryFifthOfASecondAndAlwaysAtTheEnd) {
    using namespace std::chrono_literals;
    ProgressPacer pacer;
    const ProgressPacer::Clock::time_point t0;
    EXPECT_EQ((std::vector<bool>{pacer.due(t0, false), pacer.due(t0 + 150ms, false),
                                 pacer.due(t0 + 199ms, false), pacer.due(t0 + 200ms, false),
                                 pacer.due(t0 + 250ms, false), pacer.due(t0 + 260ms, true)}),
              (std::vector<bool>{true, false, false, true, false, true}));
    EXPECT_EQ(progressLine(61.5, 3600), "progress 61.5 3600");
    EXPECT_EQ(progressLine(1 / 3.0, 2 / 3.0), "progress 0.333 0.667");
}

TEST_F(FreqgenFiles, ACancelledRenderLeavesNeitherTheFileNorItsPart) {
    for (FileType type : {FileType::Wav, FileType::Flac, FileType::Vorbis}) {
        const std::string name = type == FileType::Wav    ? "c.wav"
                                 : type == FileType::Flac ? "c.flac"
                                                          : "c.ogg";
        int asked = 0;
        auto cancelled = renderToFile({1, 1}, {{440, 60}}, path(name), {type, SampleFormat::Pcm16, 48000},
                                      {[&] { return ++asked > 3; }, {}});
        EXPECT_TRUE(!cancelled && cancelled.error().contains("stopped before the end")) << name;
        EXPECT_FALSE(has(name) || has(name + ".part")) << name;
    }
    // Sono cancels an export by terminating freqgen.
    write("long.run", "440,100000\n");
    EXPECT_EQ(run("-vl 1 -vr 1 -f long.run --out long.ogg", "timeout --preserve-status -s TERM 1"),
              kExitOutput)
        << read("err.txt");
    EXPECT_TRUE(read("err.txt").contains(
        "freqgen: cannot write the Ogg Vorbis file \"long.ogg\": stopped before the end"))
        << read("err.txt");
    EXPECT_FALSE(has("long.ogg.part") || has("long.ogg"));
}
