#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// The number forms every window and file of Sono shares. Nothing here depends on the locale:
// input and output always use "." as decimal point.
namespace sono {

// Significant digits of the shortest general form: single-precision values (frequencies held in
// the program table and the buffer) show at most 7, doubles at most 15.
enum class Precision { Single = 7, Double = 15 };

// Shortest general form without a sign blank: "1000", "7.83", ".5", "-.5", "1.234568E+07".
QString shortestText(double value, Precision precision = Precision::Single);

// The form used when a number is appended to a text: a blank for 0 or positive, else the minus,
// then the shortest form (" 727", "-3", " .5").
QString signedText(double value, Precision precision = Precision::Single);

struct LeadingNumber {
    double value = 0;     // 0 when the text does not begin with a number
    bool found = false;   // the text begins with a number (after blanks)
    qsizetype length = 0; // characters consumed, blanks included
};

// Leading blanks, an optional sign, digits with at most one ".", an optional exponent; the rest of the
// text is ignored ("12.5Hz" is 12.5, "abc" is 0). The value may be infinite for absurdly long digits.
LeadingNumber parseLeadingNumber(QStringView text);
inline double leadingNumber(QStringView text) {
    return parseLeadingNumber(text).value;
}

// The whole text, blanks around it aside, is one finite number; otherwise nothing.
std::optional<double> parseWholeNumber(QStringView text);

// Whole-number conversion of typed values: a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Rounds half to even and checks the 16-bit range the program's times and labels live in.
std::optional<qint16> toInt16(double value);

// Formats with a display pattern such as "###.0", "#,##0.000" or "###,###,###.0": "," anywhere asks
// for thousands grouping, the digits after "." fix the decimals, a "0" just before "." keeps a leading
// zero. Ties round away from zero; a result that rounds to zero never shows a minus sign; infinities
// and NaN give an empty text.
QString formatPattern(double value, QStringView pattern);

} // namespace sono
