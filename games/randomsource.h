// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/uniformpick.h"
#include "games/xoshiro256starstar.h"

#include <QtGlobal>

// The program's one source of random draws. The main window seeds it once
// from the time of day; the games draw whole numbers 1..n from it (corner
// numbers, start coordinates) with drawOneTo(). A draw is the hot path of
// every game, so it is inline and makes no virtual call: the generator
// lives here, and only seeding is left to the kind of source.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Starts the sequence that belongs to this reading of the clock.
    virtual void seed(float secondsSinceMidnight) = 0;

    // A whole number from 1 to n (n >= 1), each with equal chance,
    // independent of every earlier draw.
    int oneTo(int n)
    {
        Q_ASSERT(n >= 1);
        if (Q_UNLIKELY(m_scripted))
            return scriptedOneTo(n);
        return static_cast<int>(uniformOneTo(m_generator, static_cast<std::uint32_t>(n)));
    }

protected:
    RandomSource() = default;
    void restartGenerator(std::uint64_t seed) { m_generator = Xoshiro256StarStar(seed); }

    // A source whose draws are given instead of generated, to make a run
    // exact: every draw takes the next value r, 0 <= r < 1, from
    // nextScripted() and gives floor(r * n) + 1.
    struct Scripted {};
    explicit RandomSource(Scripted) : m_scripted(true) {}
    virtual double nextScripted() { return 0.0; }

private:
    int scriptedOneTo(int n);

    Xoshiro256StarStar m_generator;
    bool m_scripted = false;
};

// A whole number from 1 to n with equal chances: a corner number, or a
// start coordinate.
inline int drawOneTo(RandomSource &random, int n)
{
    return random.oneTo(n);
}

// The program's random source: xoshiro256** seeded from the time of day.
class TimeSeededRandom final : public RandomSource
{
public:
    // Every distinct reading of the clock gives a distinct sequence: the
    // reading's bits seed the generator's splitmix64 set-up, which maps
    // distinct seeds to distinct states.
    void seed(float secondsSinceMidnight) override;
};
