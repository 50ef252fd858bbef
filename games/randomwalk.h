// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/easel.h"
#include "games/randomsource.h"

namespace detail {
template <typename Draws, typename Real, typename Step>
int walkAndPlotWith(Draws &draws, Easel &canvas, long steps, Real &x, Real &y, const Step &step)
{
    struct Walk
    {
        Real x, y;
        int corner;
        Draws draws;
    };
    const Walk last = canvas.setPoints(steps, Walk{x, y, 0, draws}, [step](Walk walk) {
        walk.corner = step(walk.draws, walk.x, walk.y);
        return walk;
    });
    x = last.x;
    y = last.y;
    draws = last.draws;
    return last.corner;
}
} // namespace detail

// Plays `steps` steps of a random walk from (x, y) and sets a dot at every
// new point. A step is `step(draws, x, y)`: it draws with
// drawOneTo(draws, n), moves the point and returns the corner it drew.
// Leaves the last point in (x, y) and returns the last corner drawn (0
// when there were no steps). `step` must not touch the canvas.
//
// The point, the last corner and the draws go through the canvas's loop
// by value (Easel::setPoints), so that a step costs about what the same
// arithmetic costs in a bare loop.
template <typename Real, typename Step>
int walkAndPlot(Easel &canvas, RandomSource &random, long steps, Real &x, Real &y, Step step)
{
    // A scripted source (a test's) is drawn from where it is; the loop is
    // compiled apart, so the generated walk has no call in it.
    if (random.isScripted()) {
        ScriptedDraws draws(random);
        return detail::walkAndPlotWith(draws, canvas, steps, x, y, step);
    }
    GeneratedDraws draws = random.generatedDraws();
    const int corner = detail::walkAndPlotWith(draws, canvas, steps, x, y, step);
    random.continueFrom(draws);
    return corner;
}
