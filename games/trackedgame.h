// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct ModeContext;

// "&Track the Chaos Game": lays out the board (the numbered corners, the
// green start point, the instructions, the red ring on a random corner) and
// arms the canvas for single steps.
void setUpTrackedGame(ModeContext &mode);

// A click on the canvas: while the tracked game is armed, one step half-way
// to the ringed corner, and the ring moves to a new random corner.
// Otherwise it does nothing at all.
void playTrackedStep(ModeContext &mode);
