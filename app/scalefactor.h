// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The toolkit draws its windows broken when they are scaled down
// (QT_SCALE_FACTOR below 1: parts of the window black, its buttons
// missing), so such a factor is refused before any window exists: the
// program says so on standard error and runs at its screen's own scale.
// A factor of 1 or more, or none, is left as it is.
void refuseScaleBelowOne();
