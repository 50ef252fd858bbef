// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "random/uniformpick.h"
#include "random/xoshiro256starstar.h"

#include <QtGlobal>

class GeneratedDraws;

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

    // Whether the draws are given rather than generated (see below).
    bool isScripted() const { return m_scripted; }
    // For a game's loop: a copy of the generator to draw from, and the
    // copy given back when the loop ends. A generated source only.
    GeneratedDraws generatedDraws() const;
    void continueFrom(const GeneratedDraws &draws);

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

// The draws of a game's loop from a generated source: a copy of its
// generator, which the loop carries along by value so that the compiler
// keeps it in registers. (Reached through a reference, the generator was
// read and stored back for every draw, which with the picture's stores
// made a dot cost twice as much.) RandomSource::generatedDraws() makes
// the copy, RandomSource::continueFrom() gives it back; nothing else
// draws from the source meanwhile, as modes run one at a time.
class GeneratedDraws
{
public:
    // The same draw as RandomSource::oneTo(), the same sequence included.
    int oneTo(int n)
    {
        Q_ASSERT(n >= 1);
        return static_cast<int>(uniformOneTo(m_generator, static_cast<std::uint32_t>(n)));
    }

private:
    friend class RandomSource;
    explicit GeneratedDraws(const Xoshiro256StarStar &generator) : m_generator(generator) {}
    Xoshiro256StarStar m_generator;
};

// The draws of a game's loop from a scripted source: the source itself.
class ScriptedDraws
{
public:
    explicit ScriptedDraws(RandomSource &source) : m_source(&source) {}
    int oneTo(int n) { return m_source->oneTo(n); }

private:
    RandomSource *m_source;
};

inline GeneratedDraws RandomSource::generatedDraws() const
{
    Q_ASSERT(!m_scripted);
    return GeneratedDraws(m_generator);
}

inline void RandomSource::continueFrom(const GeneratedDraws &draws)
{
    m_generator = draws.m_generator;
}

// A whole number from 1 to n with equal chances: a corner number, or a
// start coordinate. From a source, or from a game loop's draws.
template <typename Draws>
inline int drawOneTo(Draws &draws, int n)
{
    return draws.oneTo(n);
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
