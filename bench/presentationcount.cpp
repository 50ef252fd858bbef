// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/presentationcount.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// Notes the time of every paint event of the object it watches.
class PaintTimes : public QObject
{
public:
    explicit PaintTimes(const QElapsedTimer &clock) : m_clock(clock) {}

    std::vector<qint64> nanoseconds;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            nanoseconds.push_back(m_clock.nsecsElapsed());
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer &m_clock;
};

} // namespace

Presentations countPresentations(QWidget &widget, const std::function<void()> &run)
{
    QElapsedTimer clock;
    PaintTimes paints(clock);
    paints.nanoseconds.reserve(4096);
    widget.installEventFilter(&paints);
    clock.start();
    run();
    const qint64 end = clock.nsecsElapsed();
    widget.removeEventFilter(&paints);

    Presentations result;
    result.count = int(paints.nanoseconds.size());
    result.seconds = end / 1e9;
    qint64 previous = 0;
    paints.nanoseconds.push_back(end);
    for (qint64 at : paints.nanoseconds) {
        const double gapMs = (at - previous) / 1e6;
        result.longestGapMs = std::max(result.longestGapMs, gapMs);
        result.gapsOver20Ms += gapMs > 20;
        previous = at;
    }
    return result;
}
