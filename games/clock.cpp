// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/clock.h"

#include <QTime>

#include <chrono>
#include <thread>

namespace {

qint64 ticksSinceMidnight(qint64 msecs)
{
    return msecs * SystemClock::kTicksPerSecond / 1000;
}

} // namespace

float SystemClock::secondsSinceMidnight()
{
    const qint64 ticks = ticksSinceMidnight(QTime::currentTime().msecsSinceStartOfDay());
    return static_cast<float>(static_cast<double>(ticks) / kTicksPerSecond);
}

void SystemClock::waitForTick()
{
    const float first = secondsSinceMidnight();
    while (secondsSinceMidnight() == first) {
        // Sleep to about where the next tick begins, then look again.
        const qint64 msecs = QTime::currentTime().msecsSinceStartOfDay();
        const qint64 nextTickMs = ((ticksSinceMidnight(msecs) + 1) * 1000 + kTicksPerSecond - 1) / kTicksPerSecond;
        const qint64 waitMs = nextTickMs - msecs;
        std::this_thread::sleep_for(std::chrono::microseconds(waitMs > 0 ? waitMs * 1000 : 200));
    }
}
