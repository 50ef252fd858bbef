// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// The most resident memory the program has held so far, in megabytes
// (2^20 bytes); nothing where the platform does not tell.
std::optional<double> peakResidentMegabytes();
