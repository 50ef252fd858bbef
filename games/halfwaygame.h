#pragma once

#include "canvas/canvas.h"
#include "games/randomsource.h"

// The half-way game: `steps` times, draw one of `cornerCount` corners at
// random, move the point (x, y) to the midpoint between itself and that
// corner, and set a dot there. Each game brings its own corner table as
// `moveTowards(corner, x, y)` and its own per-dot work as `afterDot()`.
// Returns the corner drawn last (0 when there were no steps).
template <typename Real, typename MoveTowards, typename AfterDot>
int playHalfWayGame(Canvas &canvas, RandomSource &random, int cornerCount, long steps,
                    Real &x, Real &y, MoveTowards moveTowards, AfterDot afterDot)
{
    int corner = 0;
    for (long step = 0; step < steps; ++step) {
        corner = drawOneTo(random, cornerCount);
        moveTowards(corner, x, y);
        canvas.setPoint(x, y);
        afterDot();
    }
    return corner;
}
