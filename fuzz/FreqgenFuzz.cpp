// freqgen's command line and run file. The input is the command line, one argument a line, then an
// empty line and the run file. Whatever is accepted plays: the engine's samples stay finite and bounded,
// keys included, and the time left is never negative.
#include "FuzzCheck.h"
#include "engine.h"
#include "options.h"
#include "status.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace freqgen;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find("\n\n");
    const std::string_view commandLine = input.substr(0, split);
    const std::string_view runFile =
        split == std::string_view::npos ? std::string_view() : input.substr(split + 2);

    std::vector<std::string> args;
    for (size_t start = 0; start <= commandLine.size();) {
        const size_t end = std::min(commandLine.find('\n', start), commandLine.size());
        args.emplace_back(commandLine.substr(start, end - start));
        start = end + 1;
    }
    const auto invocation = parseCommandLine(args);
    if (!invocation) FUZZ_CHECK(invocation.error().message.starts_with("freqgen: "));

    const auto steps = parseRunFile(runFile, "fuzz.run");
    if (!steps) {
        FUZZ_CHECK(steps.error().exitCode == kExitRunFile);
        return 0;
    }
    Settings settings = invocation ? invocation->settings : Settings{1, 1};
    const double rate = invocation && invocation->rate ? *invocation->rate : kDefaultRate;
    Engine engine(settings, *steps, rate);
    std::vector<float> out(2 * 512);
    // A few blocks of each step, the keys taken from the run file's own bytes.
    for (size_t block = 0; block < 64 && !engine.finished(); ++block) {
        engine.render(out.data(), 512);
        for (float sample : out)
            FUZZ_CHECK(std::isfinite(sample) && std::fabs(sample) <= 2.0f);
        const Status status = engine.status();
        FUZZ_CHECK(status.programLeft >= 0 && status.stepLeft >= 0 && std::isfinite(status.programLeft));
        (void)statusLine(status);
        applyKey(engine, block < runFile.size() ? runFile[block] : 'n');
        if (block % 4 == 3) engine.next();
    }
    return 0;
}
