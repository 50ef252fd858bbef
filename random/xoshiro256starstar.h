// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// xoshiro256** (Blackman and Vigna): a small, fast generator of 64-bit
// values with 256 bits of state and period 2^256 - 1, good in every bit.
// Everything is inline so that a draw in a game's loop costs a few
// instructions and no call.
class Xoshiro256StarStar
{
public:
    // Fills the state with the first four outputs of splitmix64 started at
    // `seed`, as the generator's authors advise. Distinct seeds give
    // distinct states, and the state is never all zero.
    explicit constexpr Xoshiro256StarStar(std::uint64_t seed = 0)
    {
        for (std::uint64_t &word : m_state)
            word = splitMix64(seed);
    }

    // A generator with exactly this state, which must not be all zero.
    static constexpr Xoshiro256StarStar withState(std::uint64_t s0, std::uint64_t s1, std::uint64_t s2,
                                                  std::uint64_t s3)
    {
        Xoshiro256StarStar generator;
        generator.m_state[0] = s0;
        generator.m_state[1] = s1;
        generator.m_state[2] = s2;
        generator.m_state[3] = s3;
        return generator;
    }

    constexpr std::uint64_t next()
    {
        const std::uint64_t result = rotateLeft(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotateLeft(m_state[3], 45);
        return result;
    }

    // One step of splitmix64: advances `state` and returns its next output.
    // The output is a one-to-one function of the advanced state.
    static constexpr std::uint64_t splitMix64(std::uint64_t &state)
    {
        state += 0x9e3779b97f4a7c15u;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }

private:
    static constexpr std::uint64_t rotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_state[4] = {};
};
