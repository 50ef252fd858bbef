// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct ModeContext;

// "&Hexagonal Chaos Game": the half-way game on six corners, 3,000,000 dots,
// continuing from the point the last mode left.
void playHexagonalGame(ModeContext &mode);
