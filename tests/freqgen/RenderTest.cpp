#include "render.h"
#include "Measure.h"

#include <gtest/gtest.h>

using namespace freqgen;
using FreqgenRender = measure::TempFolder;

TEST(FreqgenPcm, RoundsToTheNearestStepAndClips) {
    const float in[] = {0.0f, 1.0f,  -1.0f,        0.5f,         -0.5f,
                        2.0f, -3.0f, 0.4f / 32767, 0.6f / 32767, -0.6f / 32767};
    const std::int16_t expected[] = {0, 32767, -32767, 16384, -16383, 32767, -32767, 0, 1, -1};
    std::int16_t out[std::size(in)];
    toPcm16(in, out, std::size(in));
    for (std::size_t i = 0; i < std::size(in); ++i)
        EXPECT_EQ(out[i], expected[i]) << in[i];
}

TEST_F(FreqgenRender, SixteenBitAndFloatFilesHoldTheProgram) {
    std::vector<Step> steps{{440, 1}, {0, 0}, {1000, 1.5}, {12345.6, 0.5}};
    auto result = renderToWav(measure::volumes(0.5, 0.25), steps, path("a.wav"), 48000, SampleFormat::Pcm16);
    ASSERT_TRUE(result.has_value()) << result.error();
    EXPECT_EQ(result->frames, 3 * 48000);
    EXPECT_EQ(result->played.size(), 3u);
    int format = 0;
    measure::Stereo wav = measure::readWav(path("a.wav"), &format);
    EXPECT_EQ(format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    ASSERT_EQ(wav.size(), 3u * 48000);
    EXPECT_EQ(wav.rate, 48000);
    EXPECT_NEAR(measure::frequency(wav.left, 1000, 47000, 48000), 440, 0.044);
    EXPECT_NEAR(measure::frequency(wav.left, 49000, 119000, 48000), 1000, 0.1);
    EXPECT_NEAR(measure::frequency(wav.right, 121000, 143000, 48000), 12345.6, 1.23);
    EXPECT_NEAR(measure::rms(wav.right, 1000, 47000), 0.25 / std::sqrt(2.0), 1e-3);
    EXPECT_FALSE(std::filesystem::exists(path("a.wav.part")));

    // A float file holds exactly what the engine renders, at the rate asked for.
    Settings s = measure::volumes(0.7, 0.6);
    s.phaseDeg = 90;
    s.wave = Wave::Saw;
    steps = {{300, 0.3}, {3000, 0.2}};
    ASSERT_TRUE(renderToWav(s, steps, path("f.wav"), 96000, SampleFormat::Float).has_value());
    wav = measure::readWav(path("f.wav"), &format);
    EXPECT_EQ(format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    EXPECT_EQ(wav.rate, 96000);
    measure::Stereo memory = measure::render(s, steps, 96000);
    EXPECT_EQ(wav.left, memory.left);
    EXPECT_EQ(wav.right, memory.right);
}

TEST_F(FreqgenRender, FailureLeavesNoFileBehind) {
    std::string target = path("missing-folder/out.wav");
    auto result = renderToWav(measure::volumes(1, 1), {{440, 1}}, target, 48000, SampleFormat::Pcm16);
    ASSERT_FALSE(result.has_value());
    EXPECT_NE(result.error().find("cannot write the WAV file \"" + target + "\""), std::string::npos)
        << result.error();
    EXPECT_FALSE(std::filesystem::exists(path("missing-folder")));
}
