// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/commandline.h"

#include <QString>

class QCommandLineParser;

// The options of --export, which draws an exploration into a picture file
// without a window: what the parser is told of them, and how their values
// are read.
void addExportOptions(QCommandLineParser &parser);

// What the parsed options ask for. `problem` says, naming the value, why
// they cannot be used; empty when they can. Nothing is asked when --export
// was not given: then no other export option may be either.
struct ExportOptions
{
    bool wanted = false;
    ExportRequest request;
    QString problem;
};
ExportOptions readExportOptions(const QCommandLineParser &parser);
