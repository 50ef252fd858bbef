// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/modetask.h"

class Easel;
class RandomSource;
struct ModeContext;

// "&Fractional Chaos Game": asks for a fraction, then moves 700,000 times
// that fraction of the way towards a random corner of a triangle. It waits
// for the box's answer.
ModeTask playFractionalGame(ModeContext &mode);

// The steps of the game: `steps` times, draw one of the three corners and
// move (x, y) `fraction` of the way towards it, setting a dot at each point.
void playFractionSteps(Easel &canvas, RandomSource &random, float fraction, long steps, float &x, float &y);
