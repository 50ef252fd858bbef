// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/clock.h"

#include <QTime>
#include <QTimer>

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

bool SystemClock::pause(QObject *context, std::function<void()> resume)
{
    resumeOnChange(secondsSinceMidnight(), context, std::move(resume));
    return true;
}

void SystemClock::resumeOnChange(float first, QObject *context, std::function<void()> resume)
{
    // A timer to about where the next tick begins; should it fire a little
    // early, the reading is still the same and it is set again.
    const qint64 msecs = QTime::currentTime().msecsSinceStartOfDay();
    const qint64 nextTickMs = ((ticksSinceMidnight(msecs) + 1) * 1000 + kTicksPerSecond - 1) / kTicksPerSecond;
    const int waitMs = static_cast<int>(qMax<qint64>(nextTickMs - msecs, 0));
    QTimer::singleShot(waitMs, Qt::PreciseTimer, context, [this, first, context, resume = std::move(resume)] {
        if (secondsSinceMidnight() == first)
            resumeOnChange(first, context, resume);
        else
            resume();
    });
}
