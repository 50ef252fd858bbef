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

// The same for every file that QSettings, in its native format, reads for
// `application` of `organisation` on this platform, the user's and the
// system's: the first problem found, or nothing. Constructing QSettings
// reads them at once, so this comes before. Where settings live in no
// file (the Windows registry), nothing.
QString settingsFilesProblem(const QString &organisation, const QString &application, qint64 mostBytes);
