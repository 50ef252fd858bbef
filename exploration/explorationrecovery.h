// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationfile.h"

#include <QStringList>

// An exploration kept from an earlier run, read as far as it can be: each
// line that cannot be read is left out (and said why), the others kept, so
// that one bad line (a view written by an older version, say) does not
// throw the whole exploration away.
struct RecoveredExploration
{
    ExplorerSetup setup;
    QStringList problems; // one per line left out, naming the line
};
RecoveredExploration readExplorationKeepingTheRest(const QString &text);
