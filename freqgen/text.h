// Small text helpers: the standard library here has no <format> yet.
#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace freqgen {

// Up to six decimals, trailing zeros dropped: 1000, 7.83, 726.95.
std::string plainNumber(double value);

inline std::string toText(std::string_view s) {
    return std::string(s);
}
inline std::string toText(const char* s) {
    return s;
}
inline std::string toText(const std::string& s) {
    return s;
}
template <std::integral T> std::string toText(T v) {
    return std::to_string(v);
}
inline std::string toText(double v) {
    return plainNumber(v);
}

// Replaces each "{}" in pattern by the next argument.
template <typename... Args> std::string fmt(std::string_view pattern, const Args&... args) {
    std::string parts[] = {toText(args)..., std::string()};
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 1 < pattern.size() && pattern[i + 1] == '}' && next < sizeof...(Args)) {
            out += parts[next++];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace freqgen
