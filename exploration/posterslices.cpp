// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/posterslices.h"

#include "exploration/dotplane.h"
#include "exploration/exploration.h"
#include "exploration/figurecopies.h"
#include "exploration/targetpalette.h"

#include <QElapsedTimer>

#include <algorithm>
#include <new>

namespace {

// Dots between looks at the clock: a fraction of a millisecond.
constexpr long kDotsPerStep = 1 << 15;

} // namespace

PosterSlices::PosterSlices(const PosterJob &job) : m_job(job), m_walks(posterWalkCount(job.dots))
{
    try {
        m_plane = std::make_unique<DotPlane>(job.size);
    } catch (const std::bad_alloc &) {
        return;
    }
    m_plane->setView(job.view.value_or(job.settings.targets().wholeFigure(m_plane->size())));
    m_copies = std::make_shared<const FigureCopies>(job.settings, m_plane->view(), m_plane->origin());
}

PosterSlices::~PosterSlices() = default;

bool PosterSlices::drawFor(int milliseconds)
{
    if (!m_plane)
        return true;
    QElapsedTimer clock;
    clock.start();
    while (m_done < m_job.dots) {
        if (!m_current) {
            m_current = std::make_unique<Exploration>(m_job.settings, m_job.seed, std::uint64_t(m_walk));
            m_current->useCopies(m_copies);
            m_leftInWalk = posterDotsOfWalk(m_job.dots, m_walks, m_walk);
        }
        const long step = long(std::min<std::uint64_t>(m_leftInWalk, kDotsPerStep));
        m_current->advance(step, *m_plane);
        m_leftInWalk -= std::uint64_t(step);
        m_done += std::uint64_t(step);
        if (m_leftInWalk == 0) {
            m_current.reset();
            ++m_walk;
        }
        if (clock.elapsed() >= milliseconds)
            break;
    }
    return m_done >= m_job.dots;
}

PosterResult PosterSlices::result()
{
    if (!m_plane)
        return {PosterResult::Outcome::OutOfMemory, QImage()};
    if (m_done < m_job.dots)
        return {PosterResult::Outcome::Cancelled, QImage()};
    const Targets targets = m_job.settings.targets();
    QImage image = m_plane->takeImage(explorationColourTable(targets.count(), m_job.settings.colourByTarget));
    if (image.isNull())
        return {PosterResult::Outcome::OutOfMemory, QImage()};
    return {PosterResult::Outcome::Done, image};
}
