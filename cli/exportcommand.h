// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/commandline.h"

// Draws the requested exploration into its file, with no window: needs an
// application object, but no display. Reports on standard error (progress
// only when that is a terminal) and returns the exit status: 0 when the file
// is written; 2 when its path cannot be written to; 1 when writing it failed
// or memory ran short; 130 when interrupted (Ctrl+C). A file is left only
// when the whole picture is in it: nothing else, not even a partial file.
int runExport(const ExportRequest &request);
