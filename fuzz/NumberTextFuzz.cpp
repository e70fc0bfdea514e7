// The number parsers against the C library's strtod (in the C locale) on the forms they accept: Sono's
// leading-number parse and whole-number check, and freqgen's plain numbers.
#include "FuzzCheck.h"
#include "core/common/NumberText.h"
#include "options.h"

#include <QString>
#include <cctype>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct Parsed {
    double value;
    bool whole; // strtod took all of it
};

Parsed reference(const std::string& text) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    char* end = nullptr;
    const double value = strtod_l(text.c_str(), &end, c);
    return {value, end == text.c_str() + text.size()};
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// [+-] digits [. digits] or . digits, then [e [+-] digits]: the plain form both programs write.
bool plainNumber(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') ++i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const size_t first = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        if (i == first) return false;
    }
    return i == s.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const QString text = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));

    const sono::LeadingNumber leading = sono::parseLeadingNumber(text);
    if (leading.found) {
        // The part read is ASCII by its grammar; strtod must read all of it to the same value.
        const std::string prefix = text.left(leading.length).toStdString();
        const Parsed ref = reference(prefix);
        FUZZ_CHECK(ref.whole);
        FUZZ_CHECK(same(leading.value, ref.value));
    } else {
        FUZZ_CHECK(leading.value == 0 && leading.length == 0);
    }

    if (const auto whole = sono::parseWholeNumber(text)) {
        const Parsed ref = reference(text.trimmed().toStdString());
        FUZZ_CHECK(ref.whole && std::isfinite(*whole) && same(*whole, ref.value));
    }

    const auto plain = freqgen::parseNumber(raw);
    if (plain) {
        const Parsed ref = reference(raw);
        FUZZ_CHECK(ref.whole && std::isfinite(*plain) && same(*plain, ref.value));
    } else if (plainNumber(raw)) {
        // freqgen refuses only what lies outside a double's range, too large or too small.
        errno = 0;
        (void)reference(raw);
        FUZZ_CHECK(errno == ERANGE);
    }
    return 0;
}
