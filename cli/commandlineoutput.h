// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/commandline.h"

// Shows the answer to --help, --version or a mistyped option where the user
// who typed the command reads it: standard output or standard error. On
// Windows the program is a GUI executable, which starts without a console:
// there the answer goes to a file or pipe the stream is redirected to, else
// into the console the program was started from, else into a message box.
// Returns the exit status: the request's, or 1 when the answer could not
// be written (to a full disk, say), which is told on standard error.
int showCommandLineAnswer(const CommandLineRequest &request);

// Lets an export's messages and progress reach the console it was typed
// at. On Windows a GUI executable starts without one: it attaches to its
// parent's console, unless standard error already goes somewhere (a file,
// a pipe, a console of its own). Elsewhere there is nothing to do.
void useStartingConsole();
