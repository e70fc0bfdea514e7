// The session record that -r asks for: one line per step played, written as the session goes.
#pragma once

#include "engine.h"
#include "text.h"

#include <cstdio>
#include <ctime>
#include <expected>
#include <filesystem>
#include <memory>
#include <string>

namespace freqgen {

// session_YYYY-MM-DD_HH-MM-SS.txt in local time.
std::string sessionFileName(std::time_t start);

// "YYYY-MM-DD HH:MM:SS,frequency,seconds played": the step's start in local time, the frequency asked for.
std::string sessionLine(const PlayedStep& step, std::time_t sessionStart, double rate);

class SessionLog {
public:
    // Never replaces an existing file: a second session in the same second gets a numbered name.
    static std::expected<SessionLog, std::string> create(const std::filesystem::path& folder,
                                                         std::time_t start, const std::string& runFile);
    // Each line is flushed at once, so a session that is killed keeps what it played.
    bool add(const PlayedStep& step, double rate);
    const std::filesystem::path& path() const { return path_; }

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::filesystem::path path_;
    std::time_t start_ = 0;
};

} // namespace freqgen
