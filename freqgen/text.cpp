#include "text.h"

#include <cstdio>

namespace freqgen {

std::string plainNumber(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", value);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

} // namespace freqgen
