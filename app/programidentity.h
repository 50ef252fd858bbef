// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Gives the application its name, version and organisation. Needs no
// application object, so the command line can be answered before the
// window system is touched.
void describeProgram();
