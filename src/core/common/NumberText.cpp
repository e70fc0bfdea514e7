#include "core/common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace sono {

QString shortestText(double value, Precision precision) {
    if (std::isnan(value)) return QStringLiteral("NaN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    if (precision == Precision::Single) value = static_cast<float>(value);
    // to_chars formats as printf does in the C locale, whatever locale the desktop has set.
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, static_cast<int>(precision));
    std::string s(buf, written.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    // %G keeps a two-digit exponent with a sign; strip the zero padding of the mantissa only.
    if (s == "-0") s = "0";
    if (s.starts_with("0."))
        s.erase(0, 1);
    else if (s.starts_with("-0."))
        s.erase(1, 1);
    return QString::fromLatin1(s.c_str());
}

QString signedText(double value, Precision precision) {
    QString text = shortestText(value, precision);
    return text.startsWith(u'-') ? text : u' ' + text;
}

namespace {

// For a number written as [-]digits[.digits][e[+-]digits]: the power of ten of its first significant digit
// plus one, so numbers from 1 up are above 0. Held within +-2^40, far beyond any double.
qint64 decimalMagnitude(const std::string& number) {
    constexpr qint64 Limit = qint64(1) << 40;
    const auto e = number.find('e');
    const std::string mantissa = number.substr(0, e);
    qint64 exponent = 0;
    if (e != std::string::npos) {
        size_t k = e + 1;
        const bool negative = k < number.size() && number[k] == '-';
        if (k < number.size() && (number[k] == '-' || number[k] == '+')) ++k;
        for (; k < number.size(); ++k)
            exponent = std::min(Limit, exponent * 10 + (number[k] - '0'));
        if (negative) exponent = -exponent;
    }
    const auto point = mantissa.find('.');
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return -Limit;
    const qint64 beforePoint = point == std::string::npos ? qint64(mantissa.size()) : qint64(point);
    const qint64 position =
        qint64(first) < beforePoint ? beforePoint - qint64(first) : beforePoint - qint64(first) + 1;
    return std::clamp(position + exponent, -Limit, Limit);
}

} // namespace

LeadingNumber parseLeadingNumber(QStringView text) {
    LeadingNumber result;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string digits;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-') digits += '-';
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    qsizetype end = i;
    for (; end < n; ++end) {
        const QChar c = text[end];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            digits += static_cast<char>(c.unicode());
            anyDigit = true;
        } else if (c == u'.' && !point) {
            digits += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return result;
    // An exponent counts only when digits follow it ("5e" is 5, "1e3" is 1000).
    if (end < n && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype j = end + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-')) exponent += static_cast<char>(text[j++].unicode());
        const qsizetype firstDigit = j;
        while (j < n && text[j].unicode() >= '0' && text[j].unicode() <= '9')
            exponent += static_cast<char>(text[j++].unicode());
        if (j > firstDigit) {
            digits += exponent;
            end = j;
        }
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it is out of range; a number of at least 1 is too big,
        // anything smaller too small ("1" and 400 zeros "e-5" is huge although its exponent is negative).
        value = decimalMagnitude(digits) > 0 ? (digits.starts_with('-') ? -HUGE_VAL : HUGE_VAL) : 0.0;
    }
    (void)ptr;
    result.value = value == 0 ? 0.0 : value;
    result.found = true;
    result.length = end;
    return result;
}

std::optional<double> parseWholeNumber(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    const LeadingNumber number = parseLeadingNumber(trimmed);
    if (!number.found || number.length != trimmed.size() || !std::isfinite(number.value)) return std::nullopt;
    return number.value;
}

double roundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(value);
}

std::optional<qint16> toInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<qint16>(rounded);
}

namespace {

// Rounds the exact decimal expansion of a non-negative value to `decimals` places, ties away from zero.
std::string roundedDecimal(double magnitude, int decimals) {
    char buf[1100];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, decimals + 30);
    std::string s(buf, written.ptr);
    const auto dot = s.find('.');
    std::string intPart = s.substr(0, dot);
    std::string frac = s.substr(dot + 1);
    const bool roundUp = frac[static_cast<size_t>(decimals)] >= '5';
    std::string kept = intPart + frac.substr(0, static_cast<size_t>(decimals));
    if (roundUp) {
        int k = static_cast<int>(kept.size()) - 1;
        while (k >= 0 && kept[static_cast<size_t>(k)] == '9')
            kept[static_cast<size_t>(k--)] = '0';
        if (k < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<size_t>(k)];
    }
    const size_t intDigits = kept.size() - static_cast<size_t>(decimals);
    std::string out = kept.substr(0, intDigits);
    if (decimals > 0) {
        out += '.';
        out += kept.substr(intDigits);
    }
    return out;
}

} // namespace

QString formatPattern(double value, QStringView pattern) {
    if (!std::isfinite(value)) return {};
    const bool grouping = pattern.contains(u',');
    const qsizetype dot = pattern.indexOf(u'.');
    const int decimals = dot < 0 ? 0 : static_cast<int>(pattern.size() - dot - 1);
    const bool leadingZero = dot < 0 ? pattern.endsWith(u'0') : (dot > 0 && pattern[dot - 1] == u'0');

    std::string digits = roundedDecimal(std::fabs(value), decimals);
    std::string intPart = digits.substr(0, digits.find('.'));
    const std::string fracPart = decimals > 0 ? digits.substr(digits.find('.')) : std::string();
    const bool isZero = digits.find_first_of("123456789") == std::string::npos;
    intPart.erase(0, std::min(intPart.find_first_not_of('0'), intPart.size()));
    if (intPart.empty() && (leadingZero || decimals == 0)) intPart.push_back('0');
    if (grouping && intPart.size() > 3) {
        std::string grouped;
        const size_t lead = intPart.size() % 3;
        for (size_t k = 0; k < intPart.size(); ++k) {
            if (k != 0 && (k + 3 - lead) % 3 == 0) grouped += ',';
            grouped += intPart[k];
        }
        intPart = grouped;
    }
    // Appended piece by piece: g++ 12 at -O3 warns falsely about char* + string (-Wrestrict).
    std::string out;
    if (value < 0 && !isZero) out += '-';
    out += intPart;
    out += fracPart;
    return QString::fromLatin1(out.c_str());
}

} // namespace sono
