// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorerrun.h"

#include "exploration/targetpalette.h"
#include "explorer/explorerview.h"

#include <QWindow>

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

qsizetype dottedPixels(const QImage &image, QRgb background)
{
    const QImage pixels = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                                  || image.format() == QImage::Format_ARGB32_Premultiplied
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    const quint32 plain = background & 0xFFFFFF;
    qsizetype count = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            count += (line[x] & 0xFFFFFF) != plain;
    }
    return count;
}

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
    forgetCompleteness();
    m_view.clearStep();
    m_view.update();
    emit progressed();
}

void ExplorerRun::redrawForView()
{
    if (!m_exploration)
        return;
    const quint64 had = m_dots + m_pending;
    // The same dots drawn again at the new size: a complete figure stays so.
    const bool wasComplete = m_complete;
    clear();
    m_complete = wasComplete;
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
    forgetCompleteness();
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
    m_complete = false;
    updateTimer();
    emit progressed();
}

void ExplorerRun::setDotsPerSecond(double rate)
{
    m_rate = std::max(rate, 1e-3);
    forgetCompleteness();
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

bool ExplorerRun::viewCanBeSeen() const
{
    const QWidget *window = m_view.window();
    if (!m_view.isVisible() || window->isMinimized())
        return false;
    // The window system's word on whether any of it is on the screen:
    // unmapped, and where the platform tells, fully covered.
    const QWindow *handle = window->windowHandle();
    return handle && handle->isExposed();
}

void ExplorerRun::forgetCompleteness()
{
    m_complete = false;
    m_dottedPixels = -1;
}

void ExplorerRun::checkCompleteness()
{
    if (m_dottedPixels >= 0 && m_sinceCounted.isValid() && m_sinceCounted.elapsed() < kCompletenessCheckMs)
        return;
    m_sinceCounted.start();
    const QRgb background = m_setup.dark ? kDarkBackground : qRgb(255, 255, 255);
    const qsizetype dotted = dottedPixels(m_view.picture().image(), background);
    // The last few pixels of a figure whose corners are visited unevenly
    // turn up one at a time for a minute or more, which nobody sees: growth
    // under one pixel in a thousand counts as none.
    if (m_dottedPixels < 0 || dotted - m_dottedPixels > m_dottedPixels / 1000) {
        m_dottedPixels = dotted;
        m_sinceGrown.start();
        return;
    }
    if (m_sinceGrown.elapsed() >= kRestAfterMs) {
        pause();
        m_complete = true;
        emit progressed();
    }
}

void ExplorerRun::tick()
{
    // Nothing is drawn that no one can see; a slow look now and then
    // notices the window coming back.
    if (!viewCanBeSeen()) {
        m_timer.setInterval(kHiddenIntervalMs);
        m_sinceTick.start();
        return;
    }
    if (m_timer.interval() != kFrameIntervalMs)
        m_timer.setInterval(kFrameIntervalMs);

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
    if (unlimited)
        checkCompleteness();
    updateTimer();
}
