// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QSize>

#include <vector>

// The rectangle of the figure's plane that a picture shows: the figure's
// coordinates of its left, top, right and bottom edges. y grows upwards,
// so top is greater than bottom.
struct FigureView
{
    double left = -1, top = 1, right = 1, bottom = -1;

    double width() const { return right - left; }
    double height() const { return top - bottom; }
    bool isValid() const { return width() > 0 && height() > 0; }
};

// The points an exploration's walk moves towards: the corners of a regular
// polygon, then the midpoints of its edges, then its centre, each optional
// but the corners. The polygon has its circumcentre at (0, 0), its corners
// on the unit circle and a horizontal bottom edge; corner 0 is the lower
// left one and the others follow anticlockwise, so midpoint k lies between
// corner k and corner k + 1.
class Targets
{
public:
    static constexpr int kMinCorners = 3;
    static constexpr int kMaxCorners = 12;
    static constexpr int kMaxCount = 2 * kMaxCorners + 1;

    enum class Kind { Corner, Midpoint, Centre };

    Targets(int corners, bool centre, bool midpoints);

    int count() const { return int(m_points.size()); }
    int corners() const { return m_corners; }
    QPointF at(int target) const { return m_points[std::size_t(target)]; }
    Kind kind(int target) const { return m_kinds[std::size_t(target)]; }
    // Whether two targets are corners next to each other on the polygon.
    bool areNeighbourCorners(int a, int b) const;
    // The corner that follows this corner anticlockwise.
    int nextCorner(int corner) const { return (corner + 1) % m_corners; }

    // What a picture of this many pixels shows to show the whole figure:
    // the polygon at its largest with a margin of 5 % of the picture on
    // the tighter side, centred, a unit as long across as up.
    FigureView wholeFigure(QSize pixels) const;

private:
    int m_corners;
    std::vector<QPointF> m_points;
    std::vector<Kind> m_kinds;
};
