#include "games/randomsource.h"

#include <cstring>

void TimeSeededRandom::seed(float secondsSinceMidnight)
{
    // Every distinct reading of the clock gives a distinct seed.
    std::uint32_t bits = 0;
    std::memcpy(&bits, &secondsSinceMidnight, sizeof bits);
    std::seed_seq sequence{bits};
    m_engine.seed(sequence);
}

double TimeSeededRandom::next()
{
    // The top 53 bits as a fraction: exactly representable, below 1.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}
