// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

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
    };
    Action action = Action::Run;
    QString text;
    int exitStatus = 0;
};

// The exit status for a command line the program cannot use, as is usual
// for command-line programs.
inline constexpr int usageErrorStatus = 2;

// Reads the arguments as main() receives them, the program's path first.
// The application's name and version must be set before.
CommandLineRequest readCommandLine(const QStringList &arguments);
