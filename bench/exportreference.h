// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bench/referencegenerator.h"

#include <QSize>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// The tightest loops the benchmark can write for an export's walk, with
// nothing of the program in them: a point in the figure's plane moved half
// way to a corner picked by the rule, and a byte set in a plain array with
// the export's mapping (the polygon at its largest less a 5 % margin).
class ReferencePlane
{
public:
    // A plane showing the regular polygon with `corners` corners on the unit
    // circle, its bottom edge horizontal, corner 0 the lower left one.
    ReferencePlane(QSize size, int corners)
        : m_width(size.width()), m_height(size.height()), m_bytes(std::size_t(m_width) * m_height)
    {
        const double pi = 3.14159265358979323846;
        double left = 0, right = 0, bottom = 0, top = 0;
        for (int k = 0; k < corners; ++k) {
            const double angle = -pi / 2 - pi / corners + 2 * pi * k / corners;
            m_cornerX.push_back(std::cos(angle));
            m_cornerY.push_back(std::sin(angle));
            left = std::min(left, m_cornerX.back());
            right = std::max(right, m_cornerX.back());
            bottom = std::min(bottom, m_cornerY.back());
            top = std::max(top, m_cornerY.back());
        }
        m_perUnit = std::min(0.9 * m_width / (right - left), 0.9 * m_height / (top - bottom));
        m_left = (left + right) / 2 - m_width / 2.0 / m_perUnit;
        m_top = (bottom + top) / 2 + m_height / 2.0 / m_perUnit;
    }

    long dotCount() const { return long(std::count(m_bytes.begin(), m_bytes.end(), 1)); }

    // Any corner, each step.
    void walkAny(ReferenceGenerator &generator, long steps)
    {
        const int n = int(m_cornerX.size());
        walk(steps, [&](int) { return generator.oneTo(std::uint32_t(n)) - 1; });
    }

    // Never the previous corner: one of the other n - 1, numbered past it.
    void walkNoRepeat(ReferenceGenerator &generator, long steps)
    {
        const int n = int(m_cornerX.size());
        walk(steps, [&](int previous) {
            const int pick = generator.oneTo(std::uint32_t(n - 1)) - 1;
            return pick + (pick >= previous);
        });
    }

private:
    template <typename Pick>
    void walk(long steps, Pick pick)
    {
        std::uint8_t *const bytes = m_bytes.data();
        const double *const cornerX = m_cornerX.data(), *const cornerY = m_cornerY.data();
        const double left = m_left, top = m_top, perUnit = m_perUnit;
        const double columns = m_width, rows = m_height;
        const std::ptrdiff_t width = m_width;
        double x = 0, y = 0;
        int corner = 0;
        for (long i = 0; i < steps; ++i) {
            corner = pick(corner);
            x = (x + cornerX[corner]) * 0.5;
            y = (y + cornerY[corner]) * 0.5;
            const double column = (x - left) * perUnit;
            const double row = (top - y) * perUnit;
            if (column >= 0 && column < columns && row >= 0 && row < rows)
                bytes[std::ptrdiff_t(row) * width + std::ptrdiff_t(column)] = 1;
        }
    }

    int m_width, m_height;
    std::vector<std::uint8_t> m_bytes;
    std::vector<double> m_cornerX, m_cornerY;
    double m_left = 0, m_top = 0, m_perUnit = 1;
};
