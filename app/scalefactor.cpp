// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scalefactor.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>

void refuseScaleBelowOne()
{
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    if (factor.isEmpty())
        return;
    bool ok = false;
    const double value = factor.toDouble(&ok);
    if (ok && value >= 1)
        return;
    std::fprintf(stderr,
                 "chaos-game: QT_SCALE_FACTOR=%s is not used: the windows cannot be scaled below 1; "
                 "they take the screen's own scale.\n",
                 factor.constData());
    std::fflush(stderr);
    qunsetenv("QT_SCALE_FACTOR");
}
