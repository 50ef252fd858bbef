// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Deep zoom's figures: for a few figures, views of the whole figure and of
// 10^-4, 10^-8 and 10^-12 of its width about a point of it, the export's
// dots per second on one thread and the dots that land in the view per
// pixel of the figure there, beside the whole view's.
void benchmarkDeepZoom();
