#include "games/leadingnumber.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text with its blanks left out, up to where the number ends, in the
// form std::from_chars reads: no leading "+", digits before any ".".
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

} // namespace

float leadingNumberAsSingle(std::string_view text)
{
    const Scanned scanned = scan(text);
    if (scanned.number.empty())
        return 0.0f;

    double value = 0.0;
    const char *first = scanned.number.data();
    const char *last = first + scanned.number.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range)
        value = scanned.magnitude > 0 ? DBL_MAX : 0.0;
    else if (error != std::errc() || end != last)
        value = 0.0;

    // Rounding to single precision, kept finite.
    float single = std::fabs(value) > FLT_MAX ? FLT_MAX : static_cast<float>(std::fabs(value));
    return scanned.negative ? -single : single;
}
