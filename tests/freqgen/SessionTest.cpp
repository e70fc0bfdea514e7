#include "session.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

using namespace freqgen;

namespace {

std::string contents(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FreqgenSession : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        dir_ = std::filesystem::temp_directory_path() / ("freqgen-session-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

constexpr std::time_t kStart = 1796558400; // 2026-12-06 12:00:00 UTC

} // namespace

TEST_F(FreqgenSession, NamesAndLines) {
    EXPECT_EQ(sessionFileName(kStart), "session_2026-12-06_12-00-00.txt");
    EXPECT_EQ(sessionLine({1, 1000, 0, 180 * 48000}, kStart, 48000), "2026-12-06 12:00:00,1000,180");
    EXPECT_EQ(sessionLine({3, 726.95, 3723 * 48000 + 100, 24000}, kStart, 48000),
              "2026-12-06 13:02:03,726.95,0.5");
    EXPECT_EQ(sessionLine({2, 0, 0, 1}, kStart, 48000), "2026-12-06 12:00:00,0,0.000021");
}

TEST_F(FreqgenSession, WritesEachLineAtOnceAndNeverReplacesAFile) {
    auto first = SessionLog::create(dir_, kStart, "default.run");
    ASSERT_TRUE(first.has_value()) << first.error();
    EXPECT_EQ(first->path(), dir_ / "session_2026-12-06_12-00-00.txt");
    ASSERT_TRUE(first->add({1, 440, 0, 48000 * 180}, 48000));
    // Read while the log is still open: a killed session keeps what it played.
    EXPECT_EQ(contents(first->path()), "# freqgen session of default.run, started 2026-12-06 12:00:00\n"
                                       "# start,frequency Hz,seconds played\n"
                                       "2026-12-06 12:00:00,440,180\n");
    auto second = SessionLog::create(dir_, kStart, "default.run");
    ASSERT_TRUE(second.has_value()) << second.error();
    EXPECT_EQ(second->path(), dir_ / "session_2026-12-06_12-00-00_2.txt");
    EXPECT_NE(contents(first->path()).find("440,180"), std::string::npos);

    auto nowhere = SessionLog::create(dir_ / "missing", kStart, "default.run");
    ASSERT_FALSE(nowhere.has_value());
    EXPECT_NE(nowhere.error().find("cannot write the session file"), std::string::npos);
}
