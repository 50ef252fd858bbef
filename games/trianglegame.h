// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/modetask.h"

struct ModeContext;

// "&Play Chaos Game": the Chaos Game on a triangle, 500,000 dots half-way
// towards random corners, with a countdown at the right of the canvas. It
// pauses for a clock tick after every 1000 dots.
ModeTask playTriangleGame(ModeContext &mode);
