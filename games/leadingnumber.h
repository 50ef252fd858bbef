// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Reads the decimal number a text begins with, as a typed fraction is read:
//  - blanks (spaces, tabs, line breaks) are skipped wherever they stand;
//  - an optional sign, digits with an optional "." and fraction digits, and
//    an optional exponent ("e" or "E", optional sign, digits) make the number;
//  - "." is the decimal point whatever the locale;
//  - reading stops at the first character that cannot continue the number;
//  - text that does not begin with a number reads as 0.
// The result is rounded to single precision. It is always finite: a
// magnitude past the single-precision range gives the largest finite single
// of that sign, one too small to tell from 0 gives 0.
float leadingNumberAsSingle(std::string_view text);
