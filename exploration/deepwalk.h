// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationwalk.h"
#include "exploration/figurecopies.h"

#include <limits>

// A dot of a deep view: the walk's point mapped through one of the copies
// of the figure that meet the view (FigureCopies), relative to the copies'
// origin. The walk itself goes on from its own point, unmapped.
struct DeepPoint
{
    double x = 0, y = 0; // not a number for a dot that is not plotted
    int target = 0;      // the target the mapped dot moved towards last
    WalkPoint walk;
};

// One step of the walk, then its new point mapped through a copy picked
// with the walk's own chances of making that copy's picks next. Holds
// everything it reads but the copies, which outlive it.
class DeepStep
{
public:
    DeepStep(const WalkStep &walk, const FigureCopies &copies)
        : m_walk(walk), m_copies(&copies), m_scale(copies.scale())
    {
    }

    DeepPoint operator()(DeepPoint point) const
    {
        point.walk = m_walk(point.walk);
        const int index = m_copies->pick(point.walk.state, point.walk.generator.next());
        if (index < 0) {
            point.x = point.y = std::numeric_limits<double>::quiet_NaN();
            return point;
        }
        const FigureCopies::Copy &copy = m_copies->copy(index);
        point.x = copy.x + m_scale * point.walk.x;
        point.y = copy.y + m_scale * point.walk.y;
        point.target = copy.lastTarget;
        return point;
    }

private:
    WalkStep m_walk;
    const FigureCopies *m_copies;
    double m_scale;
};
