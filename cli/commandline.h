// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/posterrender.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// A picture of an exploration to draw into a file, without a window.
struct ExportRequest
{
    QString file;
    QByteArray format; // "png", "jpeg" or "bmp", by the file's extension
    // The job as given; threads 0 means one per core.
    PosterJob job;
    std::optional<std::uint64_t> seed; // a random one when not given
    // What the exploration file given held that this program skipped (a
    // newer format's keys), to tell the user.
    QStringList warnings;
};

// What the command line asks of the program. It is read before the
// application object exists, so that --help, --version and a mistyped
// option are answered without a display; the toolkit's own options
// (-platform, -style, ...) are let through for QApplication to take.
struct CommandLineRequest
{
    enum class Action {
        Run,    // open the windows
        Print,  // write `text` to standard output, then exit with `exitStatus`
        Refuse, // write `text` to standard error, then exit with `exitStatus`
        Export, // draw `exportRequest` into its file, then exit
        Explore, // open the Chaos Explorer alone, with `explorationFile` if given
                 // (--explorer [FILE], or a .chaos file alone, as a desktop opens one)
    };
    Action action = Action::Run;
    QString text;
    int exitStatus = 0;
    ExportRequest exportRequest;
    QString explorationFile;
};

// The exit status for a command line the program cannot use, as is usual
// for command-line programs.
inline constexpr int usageErrorStatus = 2;

// Reads the arguments as main() receives them (see programArguments()),
// the program's path first.
// The application's name and version must be set before.
CommandLineRequest readCommandLine(const QStringList &arguments);

// The command line as the user typed it. On Windows it is read as UTF-16,
// so that a path in any script works (main()'s argv holds only what the
// ANSI code page can spell); elsewhere argv is decoded from the locale.
QStringList programArguments(int argc, char *argv[]);

// Tells the user, on standard error, what an export's exploration file
// held that was skipped.
void reportExportWarnings(const ExportRequest &request);
