// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The export's figures: dots per second on one thread and on every thread,
// against the reference loop for the same rule, and the peak memory of an
// 8192 x 8192 export, measured in a process of its own (peak memory is the
// whole process's).
void benchmarkExport(int rounds, const char *benchProgram);

// The process of its own: exports an 8192 x 8192 picture as the command
// line does, into a temporary folder, and prints its peak memory in MB.
// Returns the export's exit status.
int measureExportMemory();
