// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Explorer at rest: the processor time the whole program takes in 10
// seconds with the Explorer's figure complete (it paused itself), paused
// by the user, and minimised while running; prints the three figures
// against the target (under 0.1 s, a hundredth of a core).
void benchmarkExplorerAtRest();
