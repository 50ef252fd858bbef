// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorerrun.h"

#include "exploration/targetpalette.h"
#include "explorer/explorerview.h"

#include <algorithm>
#include <cmath>

namespace {

// Dots plotted between looks at the clock at full speed: well under a
// millisecond.
constexpr long kDotsBetweenClockChecks = 1 << 14;
// A pause redrawn for a new view gets its figure back with at most this many dots.
constexpr quint64 kMostRedrawn = 20'000'000;
constexpr QRgb kDarkBackground = 0xFF101418;

} // namespace

ExplorerRun::ExplorerRun(ExplorerView &view, QObject *parent) : QObject(parent), m_view(view)
{
    // A precise timer keeps to the frame interval rather than drifting
    // towards the next coarse tick.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kFrameIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ExplorerRun::tick);
}

void ExplorerRun::restart(const ExplorerSetup &setup)
{
    m_setup = setup;
    m_exploration = std::make_unique<Exploration>(setup.settings, m_seeds.generate64());
    const Targets &targets = m_exploration->targets();
    if (setup.dark) {
        // Black dots turn white on the dark background; coloured ones keep
        // their colour, but black becomes white there too.
        QList<QRgb> colours;
        for (int target = 0; target < targets.count(); ++target) {
            const QRgb colour = m_exploration->dotColour(target);
            colours.append(qRgb(qRed(colour), qGreen(colour), qBlue(colour)) == qRgb(0, 0, 0) ? qRgb(255, 255, 255)
                                                                                               : colour);
        }
        m_exploration->setDotColours(colours);
    }
    m_pending = 0;
    m_due = 0;
    clear();
    updateTimer();
}

void ExplorerRun::clear()
{
    Picture &picture = m_view.picture();
    Exploration::prepare(picture, m_view.view());
    if (m_setup.dark) {
        // Packed as 0x00BBGGRR.
        picture.setBackColour(quint32(qBlue(kDarkBackground)) << 16 | quint32(qGreen(kDarkBackground)) << 8
                              | quint32(qRed(kDarkBackground)));
        picture.clear();
    }
    m_dots = 0;
    m_view.clearStep();
    m_view.update();
    emit progressed();
}

void ExplorerRun::redrawForView()
{
    if (!m_exploration)
        return;
    const quint64 had = m_dots + m_pending;
    clear();
    if (!m_running)
        m_pending = std::min(had, kMostRedrawn);
    updateTimer();
}

void ExplorerRun::start()
{
    if (m_running)
        return;
    m_running = true;
    m_due = 0;
    m_view.clearStep();
    updateTimer();
    emit progressed();
}

void ExplorerRun::pause()
{
    if (!m_running)
        return;
    m_running = false;
    m_due = 0;
    updateTimer();
    emit progressed();
}

void ExplorerRun::setDotsPerSecond(double rate)
{
    m_rate = std::max(rate, 1e-3);
    m_due = std::min(m_due, 1.0);
}

void ExplorerRun::drawMore(quint64 dots)
{
    m_pending += dots;
    updateTimer();
}

void ExplorerRun::step()
{
    if (!m_exploration)
        return;
    const WalkPoint before = m_exploration->lastPoint();
    plot(1);
    const WalkPoint &after = m_exploration->lastPoint();
    m_view.showStep({before.x, before.y}, {after.x, after.y}, m_exploration->targets().at(after.target));
    emit progressed();
}

void ExplorerRun::plot(long dots)
{
    m_exploration->advance(dots, m_view.picture());
    m_dots += quint64(dots);
    m_view.update();
}

void ExplorerRun::updateTimer()
{
    const bool busy = m_exploration && (m_running || m_pending > 0);
    if (busy && !m_timer.isActive()) {
        m_sinceTick.start();
        m_timer.start();
    } else if (!busy) {
        m_timer.stop();
    }
}

void ExplorerRun::tick()
{
    const double seconds = m_sinceTick.nsecsElapsed() / 1e9;
    m_sinceTick.start();

    QElapsedTimer slice;
    slice.start();
    const bool fullSpeed = m_rate >= kFullSpeed;
    // Due at the chosen rate: no more than a frame or two's worth after a
    // stall, so a slow figure does not jump.
    quint64 wanted = m_pending;
    if (m_running && !fullSpeed) {
        m_due = std::min(m_due + m_rate * seconds, std::max(1.0, m_rate * 0.05));
        const double whole = std::floor(m_due);
        m_due -= whole;
        wanted += quint64(whole);
    }
    const bool unlimited = m_running && fullSpeed;

    const WalkPoint before = m_exploration->lastPoint();
    quint64 drawn = 0;
    while ((unlimited || drawn < wanted) && slice.elapsed() < kSliceBudgetMs) {
        const long dots = unlimited && drawn >= wanted ? kDotsBetweenClockChecks
                                                       : long(std::min<quint64>(wanted - drawn, kDotsBetweenClockChecks));
        plot(dots);
        drawn += quint64(dots);
    }
    m_pending -= std::min(m_pending, drawn);

    // A single dot at a slow speed shows its move, as a step does.
    if (drawn == 1 && !unlimited) {
        const WalkPoint &after = m_exploration->lastPoint();
        m_view.showStep({before.x, before.y}, {after.x, after.y}, m_exploration->targets().at(after.target));
    } else if (drawn > 0) {
        m_view.clearStep();
    }
    if (drawn > 0)
        emit progressed();
    updateTimer();
}
