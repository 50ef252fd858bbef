// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

class ExplorerWindow;

// Shows the Chaos Explorer, or brings forward the one already open (there is
// one at a time: `open` keeps it), with the program's own picture saving.
// With a .chaos file, opens that exploration in it; a file that cannot be
// read is reported in a box over the Explorer.
ExplorerWindow *showExplorer(QPointer<ExplorerWindow> &open, const QString &file = QString());
