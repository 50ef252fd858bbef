// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Whether a file may be read whole at once: an ordinary file (not a
// folder, a named pipe, a device or a socket, any of which could keep a
// read waiting for ever or without end) of at most `mostBytes`. Returns why
// not, naming the file, or nothing. Looks only at the file's entry in its
// folder: nothing is opened.
QString ordinaryFileProblem(const QString &path, qint64 mostBytes);
