// libFuzzer entry point for the help-page reader. Build outside the normal build, for example:
//   clang++ -std=c++2b -g -O1 -fsanitize=fuzzer,address,undefined -fPIC -Isrc \
//     $(pkg-config --cflags Qt6Core) fuzz/RtfReaderFuzz.cpp src/tools/RtfReader.cpp \
//     $(pkg-config --libs Qt6Core) -o rtf_fuzz && ./rtf_fuzz -max_len=65536
// The reader must return for every input, and its runs must never be empty or out of the size range.
#include "tools/RtfReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const sono::RtfDocument doc = sono::readRtf(bytes);
    for (const sono::RtfParagraph& paragraph : doc.paragraphs) {
        for (const sono::RtfRun& run : paragraph.runs) {
            if (run.text.isEmpty() || run.halfPoints < 8 || run.halfPoints > 144) std::abort();
        }
    }
    return 0;
}
