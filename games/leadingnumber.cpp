// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/leadingnumber.h"

#include <cfloat>
#include <cmath>
#include <locale>
#include <sstream>
#include <string>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text with its blanks left out, up to where the number ends, in a
// plain form: no sign, digits, at most one ".", an exponent with digits.
struct Scanned
{
    std::string number;
    bool negative = false;
    // Where the first significant digit stands, as a power of ten, counting
    // the exponent: tells huge from tiny when the value is out of range.
    long magnitude = 0;
};

Scanned scan(std::string_view text)
{
    std::string compact;
    for (char c : text)
        if (!isBlank(c))
            compact += c;

    Scanned result;
    std::size_t i = 0;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        result.negative = compact[i++] == '-';

    std::string mantissa;
    bool anyDigit = false;
    bool significant = false;
    long integerDigits = 0; // significant digits before the point
    long leadingFractionZeros = 0;
    for (; i < compact.size() && isDigit(compact[i]); ++i) {
        anyDigit = true;
        significant = significant || compact[i] != '0';
        integerDigits += significant;
        mantissa += compact[i];
    }
    if (i < compact.size() && compact[i] == '.') {
        std::string fraction;
        for (++i; i < compact.size() && isDigit(compact[i]); ++i) {
            anyDigit = true;
            if (!significant && compact[i] == '0')
                ++leadingFractionZeros;
            significant = significant || compact[i] != '0';
            fraction += compact[i];
        }
        if (!fraction.empty())
            mantissa += (mantissa.empty() ? "0." : ".") + fraction;
    }
    if (!anyDigit)
        return Scanned{}; // no number: reads as 0

    // An exponent counts only when digits follow its letter and sign.
    long exponent = 0;
    if (i < compact.size() && (compact[i] == 'e' || compact[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            negativeExponent = compact[j++] == '-';
        if (j < compact.size() && isDigit(compact[j])) {
            std::string digits;
            for (; j < compact.size() && isDigit(compact[j]); ++j) {
                digits += compact[j];
                // Far past any range already; stop the count growing.
                if (exponent < 100000)
                    exponent = exponent * 10 + (compact[j] - '0');
            }
            mantissa += (negativeExponent ? "e-" : "e") + digits;
            exponent = negativeExponent ? -exponent : exponent;
        }
    }

    result.number = mantissa;
    result.magnitude = significant ? (integerDigits > 0 ? integerDigits - 1 : -leadingFractionZeros - 1) + exponent
                                   : 0;
    return result;
}

// The double nearest to the scanned number. The stream reads with the
// classic locale's facets, so "." is the decimal point whatever the global
// C++ locale, and the standard library converts its digits with the C
// library in the "C" locale, whatever setlocale() chose: correctly rounded
// and locale-independent on every standard library.
double nearestDouble(const Scanned &scanned)
{
    std::istringstream stream(scanned.number);
    stream.imbue(std::locale::classic());
    double value = 0.0;
    stream >> value;
    // The number is well formed, so a failed read means it lies past the
    // range of double; libraries differ in the value they leave, so the
    // magnitude decides between the largest double and 0.
    if (stream.fail())
        return scanned.magnitude > 0 ? DBL_MAX : 0.0;
    if (stream.peek() != std::char_traits<char>::eof())
        return 0.0;
    return value;
}

} // namespace

float leadingNumberAsSingle(std::string_view text)
{
    const Scanned scanned = scan(text);
    if (scanned.number.empty())
        return 0.0f;

    // Rounded to double first, then to single precision, kept finite.
    const double value = nearestDouble(scanned);
    float single = std::fabs(value) > FLT_MAX ? FLT_MAX : static_cast<float>(std::fabs(value));
    return scanned.negative ? -single : single;
}
