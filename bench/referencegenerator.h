// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>

// The reference loops' own copy of the program's random draw, written out
// again here so that the reference shares no code with what it measures:
// xoshiro256** seeded through splitmix64 from the bits of a clock reading,
// and an exact pick of 1..n by multiply-and-reject on the top 32 bits.
// Seeded with the same reading, it draws the same corners as the program.
class ReferenceGenerator
{
public:
    explicit ReferenceGenerator(float secondsSinceMidnight)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &secondsSinceMidnight, sizeof bits);
        std::uint64_t mixer = bits;
        for (std::uint64_t &word : m_state) {
            mixer += 0x9e3779b97f4a7c15u;
            std::uint64_t z = mixer;
            z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
            z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
            word = z ^ (z >> 31);
        }
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_state[1] * 5, 7) * 9;
        const std::uint64_t t = m_state[1] << 17;
        m_state[2] ^= m_state[0];
        m_state[3] ^= m_state[1];
        m_state[1] ^= m_state[2];
        m_state[0] ^= m_state[3];
        m_state[2] ^= t;
        m_state[3] = rotl(m_state[3], 45);
        return result;
    }

    int oneTo(std::uint32_t n)
    {
        std::uint64_t product = (next() >> 32) * n;
        if (static_cast<std::uint32_t>(product) < n) {
            const auto threshold = static_cast<std::uint32_t>((std::uint64_t{1} << 32) % n); // 2^32 mod n
            while (static_cast<std::uint32_t>(product) < threshold)
                product = (next() >> 32) * n;
        }
        return static_cast<int>(product >> 32) + 1;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_state[4];
};
