// Program files: whatever loads saves to bytes that load again to the same program, so
// load -> save -> load -> save gives the same bytes twice.
#include "FuzzCheck.h"
#include "core/generator/ProgramFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("fuzz.prg");
    const auto loaded = sono::parseProgramFile(bytes, name);
    if (!loaded) {
        FUZZ_CHECK(loaded.error().startsWith(name) && loaded.error().size() < 1000);
        return 0;
    }
    const QByteArray saved = sono::programFileBytes(*loaded);
    const auto again = sono::parseProgramFile(saved, name);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(sono::programFileBytes(*again) == saved);
    FUZZ_CHECK(again->steps.size() == loaded->steps.size());
    return 0;
}
