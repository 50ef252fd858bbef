// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Choosing a file to save or open, the platform's way; each returns at once
// and calls `chosen` later with a path that the program then writes or
// reads as usual.
//
// On the desktop a window-modal file dialog over `window` asks, starting in
// `folder` with `name` proposed. In a web browser a page has no files of
// its own: saving goes to a temporary file, which fileWritten() hands to
// the browser as a download named `name`; opening takes a file from the
// browser's file picker and gives its copy.
void askForFile(QWidget *window, const QString &title, const QString &folder, const QString &name,
                const QStringList &filters, bool saving, const std::function<void(const QString &path)> &chosen);

// Says that the file at `path`, chosen for saving, is written. In a browser
// it is downloaded and the temporary copy removed; on the desktop it stays
// where the user chose, and nothing more happens.
void fileWritten(const QString &path);
