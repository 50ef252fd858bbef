// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the reading of a typed fraction: whatever the text,
// reading it must not crash and must give a finite number.

#include "games/leadingnumber.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const float value = leadingNumberAsSingle(text);
    if (!std::isfinite(value))
        std::abort();

    // Blanks are skipped wherever they stand, so a blank in front changes nothing.
    const std::string padded = " " + std::string(text);
    if (leadingNumberAsSingle(padded) != value)
        std::abort();

    // A minus in front of a text without a sign of its own negates it,
    // whatever the rounding did: the sign is not part of the rounding.
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || (text[first] != '+' && text[first] != '-')) {
        if (leadingNumberAsSingle("-" + std::string(text)) != -value)
            std::abort();
    }
    return 0;
}
