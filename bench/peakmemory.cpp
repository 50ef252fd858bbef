// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/peakmemory.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

std::optional<double> peakResidentMegabytes()
{
#ifdef Q_OS_LINUX
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) == 0)
        return usage.ru_maxrss / 1024.0; // Linux counts in kilobytes
#endif
    return std::nullopt;
}
