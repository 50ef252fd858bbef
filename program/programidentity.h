// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Gives the application its id, version and organisation. Needs no
// application object, so the command line can be answered before the
// window system is touched.
void describeProgram();

// The program's id, "chaos-game": its command's name, the class of its
// windows (WM_CLASS), which the launcher entry names, and the name of its
// settings file.
QString programId();
// The program's name as people read it: "The Chaos Game".
QString programDisplayName();
