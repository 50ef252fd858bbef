// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/randomsource.h"

#include <cstring>

int RandomSource::scriptedOneTo(int n)
{
    // Kept at n even for the largest r below 1, where the product may
    // round up to n.
    const int drawn = static_cast<int>(nextScripted() * n) + 1;
    return drawn > n ? n : drawn;
}

void TimeSeededRandom::seed(float secondsSinceMidnight)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &secondsSinceMidnight, sizeof bits);
    restartGenerator(bits);
}
