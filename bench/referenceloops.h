// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench/referencegenerator.h"

#include <QSize>

#include <algorithm>
#include <cstdint>
#include <vector>

// The tightest loops the benchmark can write for each game, with nothing of
// the program in them: the reference the games through the canvas are
// measured against. Each draws its corners from its own generator, moves a
// single-precision point with the game's own corner table and arithmetic,
// and sets a dot in a plain pixel array with the canvas's mapping of user
// coordinates (x 0..1000 left to right, y 0..750 bottom to top) and its
// clipping.

struct ReferencePoint
{
    float x, y;
};

struct ReferenceCorner
{
    int x, y;
};

class PixelArray
{
public:
    explicit PixelArray(QSize size)
        : m_width(size.width()), m_height(size.height()), m_pixels(std::size_t(m_width) * m_height)
    {
    }

    void clear() { std::fill(m_pixels.begin(), m_pixels.end(), kBackground); }
    long dotCount() const { return long(m_pixels.size()) - std::count(m_pixels.begin(), m_pixels.end(), kBackground); }

    // Runs `step` `steps` times; each call returns the next point, which is
    // set as a dot. The mapping lives in locals so that the stores into the
    // array cannot make the compiler read it again for every dot.
    template <typename Step>
    ReferencePoint plot(long steps, Step step)
    {
        std::uint32_t *const pixels = m_pixels.data();
        const int width = m_width;
        const double columns = m_width, rows = m_height;
        const double perUnitX = m_width / (1000.0 - 0.0);
        const double perUnitY = m_height / (0.0 - 750.0);
        ReferencePoint point{};
        for (long i = 0; i < steps; ++i) {
            point = step();
            const double column = (double(point.x) - 0.0) * perUnitX;
            const double row = (double(point.y) - 750.0) * perUnitY;
            if (column >= 0 && column < columns && row >= 0 && row < rows)
                pixels[std::ptrdiff_t(row) * width + std::ptrdiff_t(column)] = kDot;
        }
        return point;
    }

private:
    static constexpr std::uint32_t kBackground = 0xFFF0F0F0;
    static constexpr std::uint32_t kDot = 0xFF000000;

    int m_width, m_height;
    std::vector<std::uint32_t> m_pixels;
};

// The square's and the hexagon's corner tables, as the games number them.
constexpr ReferenceCorner kSquareCorners[] = {{150, 40}, {850, 40}, {150, 700}, {850, 700}};
constexpr ReferenceCorner kHexagonCorners[] = {{330, 50}, {650, 50}, {150, 350}, {850, 350}, {330, 700}, {650, 700}};

// The square and hexagon games: half-way to one of n corners.
template <std::size_t n>
ReferencePoint referenceHalfWay(ReferenceGenerator &random, const ReferenceCorner (&corners)[n], long steps,
                                ReferencePoint from, PixelArray &pixels)
{
    ReferenceGenerator generator = random;
    float x = from.x, y = from.y;
    const ReferencePoint last = pixels.plot(steps, [&] {
        const ReferenceCorner &c = corners[generator.oneTo(n) - 1];
        x = (x + c.x) / 2;
        y = (y + c.y) / 2;
        return ReferencePoint{x, y};
    });
    random = generator;
    return last;
}

// The triangle game's step, as the game writes it for each corner.
inline void towardsTriangleCorner(int corner, float &x, float &y)
{
    switch (corner) {
    case 1: x = x + (475 - x) / 2; y = y + (725 - y) / 2; break;
    case 2: x = x / 2 + 25;        y = y / 2 + 25;        break;
    case 3: x = x + (950 - x) / 2; y = y / 2 + 25;        break;
    }
}

// The triangle game's own step: its cost, branches included, is part of
// the game, not of the canvas.
inline ReferencePoint referenceTriangle(ReferenceGenerator &random, long steps, ReferencePoint from,
                                        PixelArray &pixels)
{
    ReferenceGenerator generator = random;
    float x = from.x, y = from.y;
    const ReferencePoint last = pixels.plot(steps, [&] {
        towardsTriangleCorner(generator.oneTo(3), x, y);
        return ReferencePoint{x, y};
    });
    random = generator;
    return last;
}

// The fractional game: `fraction` of the way to one of its three corners.
inline ReferencePoint referenceFractional(ReferenceGenerator &random, float fraction, long steps,
                                          ReferencePoint from, PixelArray &pixels)
{
    static constexpr ReferenceCorner corners[] = {{500, 725}, {50, 50}, {975, 50}};
    ReferenceGenerator generator = random;
    float x = from.x, y = from.y;
    const ReferencePoint last = pixels.plot(steps, [&] {
        const ReferenceCorner &c = corners[generator.oneTo(3) - 1];
        x = x + fraction * (c.x - x);
        y = y + fraction * (c.y - y);
        return ReferencePoint{x, y};
    });
    random = generator;
    return last;
}
