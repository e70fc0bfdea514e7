#include "session.h"
#include "Measure.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace freqgen;
using FreqgenSession = measure::TempFolder;

TEST_F(FreqgenSession, WritesEachLineAtOnceAndNeverReplacesAFile) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t start = 1796558400; // 2026-12-06 12:00:00 UTC
    EXPECT_EQ(sessionFileName(start), "session_2026-12-06_12-00-00.txt");
    EXPECT_EQ(sessionLine({3, 726.95, 3723 * 48000 + 100, 24000}, start, 48000),
              "2026-12-06 13:02:03,726.95,0.5");
    EXPECT_EQ(sessionLine({2, 0, 0, 1}, start, 48000), "2026-12-06 12:00:00,0,0.000021");

    auto first = SessionLog::create(dir_, start, "default.run");
    ASSERT_TRUE(first.has_value()) << first.error();
    EXPECT_EQ(first->path(), dir_ / "session_2026-12-06_12-00-00.txt");
    ASSERT_TRUE(first->add({1, 440, 0, 48000 * 180}, 48000));
    // Read while the log is still open: a killed session keeps what it played.
    EXPECT_EQ(measure::contents(first->path()),
              "# freqgen session of default.run, started 2026-12-06 12:00:00\n"
              "# start,frequency Hz,seconds played\n"
              "2026-12-06 12:00:00,440,180\n");
    auto second = SessionLog::create(dir_, start, "default.run");
    ASSERT_TRUE(second.has_value()) << second.error();
    EXPECT_EQ(second->path(), dir_ / "session_2026-12-06_12-00-00_2.txt");
    EXPECT_NE(measure::contents(first->path()).find("440,180"), std::string::npos);

    auto nowhere = SessionLog::create(dir_ / "missing", start, "default.run");
    ASSERT_FALSE(nowhere.has_value());
    EXPECT_NE(nowhere.error().find("cannot write the session file"), std::string::npos);
}
