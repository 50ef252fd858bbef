#pragma once

#include <cstdint>
#include <random>

// The program's one source of random values r, 0 <= r < 1. The main window
// seeds it once from the time of day; the games draw from it. Tests
// substitute a scripted sequence.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    virtual void seed(float secondsSinceMidnight) = 0;
    virtual double next() = 0;
};

// floor(r * n) + 1 for the next r: a whole number from 1 to n with equal
// chances, such as a corner number or a start coordinate. Kept at n even for
// the largest r below 1, where the product may round up to n.
inline int drawOneTo(RandomSource &random, int n)
{
    const int drawn = static_cast<int>(random.next() * n) + 1;
    return drawn > n ? n : drawn;
}

// A 64-bit Mersenne Twister seeded from the time of day.
class TimeSeededRandom : public RandomSource
{
public:
    void seed(float secondsSinceMidnight) override;
    double next() override;

private:
    std::mt19937_64 m_engine;
};
