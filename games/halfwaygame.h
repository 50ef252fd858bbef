// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "picture/easel.h"
#include "games/randomsource.h"
#include "games/randomwalk.h"

// The half-way game: `steps` times, draw one of `cornerCount` corners at
// random, move the point (x, y) to the midpoint between itself and that
// corner, and set a dot there. Each game brings its own corner table as
// `moveTowards(corner, x, y)`. Returns the corner drawn last (0 when there
// were no steps). The steps run as a random walk through the canvas's fast loop.
template <typename Real, typename MoveTowards>
int playHalfWayGame(Easel &canvas, RandomSource &random, int cornerCount, long steps, Real &x, Real &y,
                    MoveTowards moveTowards)
{
    return walkAndPlot(canvas, random, steps, x, y, [cornerCount, moveTowards](auto &draws, Real &x, Real &y) {
        const int corner = drawOneTo(draws, cornerCount);
        moveTowards(corner, x, y);
        return corner;
    });
}

namespace detail {
template <typename Real, typename MoveTowards>
int continueHalfWayGameIn(ModeContext &mode, int cornerCount, long steps, MoveTowards moveTowards)
{
    Real x = static_cast<Real>(mode.form.PointX.toDouble());
    Real y = static_cast<Real>(mode.form.PointY.toDouble());
    const int corner = playHalfWayGame(mode.canvas, mode.random, cornerCount, steps, x, y, moveTowards);
    mode.form.PointX = FormValue::of(x);
    mode.form.PointY = FormValue::of(y);
    return corner;
}
} // namespace detail

// The half-way game played on from the current point (`PointX`, `PointY`)
// as the last mode left it, empty counting as 0, with no per-dot work. It
// computes in the precision the point holds: double after the tracked game,
// single otherwise. Leaves the last dot's point in the form and returns the
// corner drawn last. `moveTowards` takes the point by `auto &`.
template <typename MoveTowards>
int continueHalfWayGame(ModeContext &mode, int cornerCount, long steps, MoveTowards moveTowards)
{
    if (mode.form.PointX.kind() == FormValue::Kind::Double)
        return detail::continueHalfWayGameIn<double>(mode, cornerCount, steps, moveTowards);
    return detail::continueHalfWayGameIn<float>(mode, cornerCount, steps, moveTowards);
}
