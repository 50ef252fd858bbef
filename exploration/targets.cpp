// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/targets.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdlib>

Targets::Targets(int corners, bool centre, bool midpoints) : m_corners(corners)
{
    Q_ASSERT(corners >= kMinCorners && corners <= kMaxCorners);
    // Corner k at the angle -90° - 180°/n + k · 360°/n: corners 0 and 1 lie
    // symmetrically below the centre, at -90° ∓ 180°/n, so the edge between
    // them, the bottom edge, is horizontal, and corner 0 is its left end.
    const double pi = std::acos(-1.0);
    for (int k = 0; k < corners; ++k) {
        const double angle = -pi / 2 - pi / corners + 2 * pi * k / corners;
        m_points.emplace_back(std::cos(angle), std::sin(angle));
        m_kinds.push_back(Kind::Corner);
    }
    if (midpoints) {
        for (int k = 0; k < corners; ++k) {
            m_points.push_back((m_points[std::size_t(k)] + m_points[std::size_t(nextCorner(k))]) / 2);
            m_kinds.push_back(Kind::Midpoint);
        }
    }
    if (centre) {
        m_points.emplace_back(0.0, 0.0);
        m_kinds.push_back(Kind::Centre);
    }
}

bool Targets::areNeighbourCorners(int a, int b) const
{
    if (a >= m_corners || b >= m_corners || a == b)
        return false;
    const int apart = std::abs(a - b);
    return apart == 1 || apart == m_corners - 1;
}

FigureView Targets::wholeFigure(QSize pixels) const
{
    double left = 0, right = 0, bottom = 0, top = 0;
    for (int k = 0; k < m_corners; ++k) {
        left = std::min(left, at(k).x());
        right = std::max(right, at(k).x());
        bottom = std::min(bottom, at(k).y());
        top = std::max(top, at(k).y());
    }
    const double width = std::max(1, pixels.width());
    const double height = std::max(1, pixels.height());
    const double pixelsPerUnit = std::min(0.9 * width / (right - left), 0.9 * height / (top - bottom));
    const double middleX = (left + right) / 2, middleY = (bottom + top) / 2;
    const double halfWidth = width / 2 / pixelsPerUnit, halfHeight = height / 2 / pixelsPerUnit;
    return {middleX - halfWidth, middleY + halfHeight, middleX + halfWidth, middleY - halfHeight};
}
