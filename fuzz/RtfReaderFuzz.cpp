// The help-page reader returns for every input, and its runs are never empty or outside the size range.
#include "FuzzCheck.h"
#include "core/tools/RtfReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const sono::RtfDocument doc = sono::readRtf(bytes);
    for (const sono::RtfParagraph& paragraph : doc.paragraphs) {
        for (const sono::RtfRun& run : paragraph.runs)
            FUZZ_CHECK(!run.text.isEmpty() && run.halfPoints >= 8 && run.halfPoints <= 144);
    }
    return 0;
}
