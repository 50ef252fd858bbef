// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// A whole number from 1 to n, each with chance exactly 1/n, from a
// generator of uniform 64-bit values (anything with next()). It takes the
// top 32 bits x of a value, so that the pick is floor(x * n / 2^32) + 1,
// and, as in Lemire's multiply-and-reject method, draws again in the rare
// case (below n in 2^32) that x lies in the uneven remainder which would
// favour some numbers. The division that finds that remainder runs only
// then, so an ordinary pick is one multiplication. n runs from 1 to 2^32 - 1.
template <typename Generator>
inline std::uint32_t uniformOneTo(Generator &generator, std::uint32_t n)
{
    std::uint64_t product = (generator.next() >> 32) * n;
    if (static_cast<std::uint32_t>(product) < n) {
        // 2^32 mod n, in 64 bits: no unsigned negation, which some
        // compilers refuse as a likely mistake.
        const auto uneven = static_cast<std::uint32_t>((std::uint64_t{1} << 32) % n);
        while (static_cast<std::uint32_t>(product) < uneven)
            product = (generator.next() >> 32) * n;
    }
    return static_cast<std::uint32_t>(product >> 32) + 1;
}
