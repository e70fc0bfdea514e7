#include "session.h"
#include "text.h"

#include <cerrno>
#include <cstring>

namespace freqgen {

namespace {

std::tm localTime(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

std::string stamp(std::time_t t, const char* pattern) {
    std::tm tm = localTime(t);
    char buf[64];
    std::size_t n = std::strftime(buf, sizeof buf, pattern, &tm);
    return std::string(buf, n);
}

} // namespace

std::string sessionFileName(std::time_t start) {
    return stamp(start, "session_%Y-%m-%d_%H-%M-%S.txt");
}

std::string sessionLine(const PlayedStep& step, std::time_t sessionStart, double rate) {
    auto startSeconds = static_cast<std::time_t>(static_cast<double>(step.startFrame) / rate);
    return fmt("{},{},{}", stamp(sessionStart + startSeconds, "%Y-%m-%d %H:%M:%S"), plainNumber(step.freq),
               plainNumber(static_cast<double>(step.frames) / rate));
}

std::expected<SessionLog, std::string> SessionLog::create(const std::filesystem::path& folder,
                                                          std::time_t start, const std::string& runFile) {
    std::string base = sessionFileName(start);
    std::string stem = base.substr(0, base.size() - 4);
    for (int n = 1; n < 100; ++n) {
        std::filesystem::path path = folder / (n == 1 ? base : fmt("{}_{}.txt", stem, n));
        std::FILE* f = std::fopen(path.c_str(), "wx");
        if (!f) {
            if (errno == EEXIST) continue;
            return std::unexpected(fmt("freqgen: cannot write the session file \"{}\": {}", path.string(),
                                       std::strerror(errno)));
        }
        SessionLog log;
        log.file_.reset(f);
        log.path_ = path;
        log.start_ = start;
        std::fprintf(f, "# freqgen session of %s, started %s\n# start,frequency Hz,seconds played\n",
                     runFile.c_str(), stamp(start, "%Y-%m-%d %H:%M:%S").c_str());
        std::fflush(f);
        return log;
    }
    return std::unexpected(fmt("freqgen: too many session files named {}_*", stem));
}

bool SessionLog::add(const PlayedStep& step, double rate) {
    std::string line = sessionLine(step, start_, rate) + "\n";
    return std::fputs(line.c_str(), file_.get()) >= 0 && std::fflush(file_.get()) == 0;
}

} // namespace freqgen
