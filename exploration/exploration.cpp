// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/exploration.h"

#include "picture/picture.h"
#include "exploration/deepwalk.h"
#include "exploration/dotplane.h"
#include "exploration/figurecopies.h"
#include "exploration/targetpalette.h"

#include <algorithm>
#include <cmath>

Exploration::Exploration(const ExplorationSettings &settings, std::uint64_t seed, std::uint64_t walk)
    : m_settings(settings)
    , m_targets(settings.targets())
    , m_step(settings)
    , m_point(m_step.start(generatorOf(seed, walk)))
{
    for (int target = 0; target < m_targets.count(); ++target)
        m_colours.append(settings.colourByTarget ? targetColour(target) : qRgb(0, 0, 0));
    for (long step = stepsBeforeTheFigure(settings.ratio); step > 0; --step)
        m_point = m_step(m_point);
}

Xoshiro256StarStar Exploration::generatorOf(std::uint64_t seed, std::uint64_t walk)
{
    // splitmix64 of seed + walk spreads neighbouring numbers far apart; the
    // generator then fills its state from that by splitmix64 again.
    std::uint64_t mixer = seed + walk;
    return Xoshiro256StarStar(Xoshiro256StarStar::splitMix64(mixer));
}

long Exploration::stepsBeforeTheFigure(double ratio)
{
    // Each step shrinks the distance to the figure by the factor 1 - R:
    // (1 - R)^k < 2^-20 from k = 20 ln 2 / -ln(1 - R). At least 50 steps,
    // and at most 100,000 for a ratio so small that the point hardly moves.
    const double steps = 20 * std::log(2.0) / -std::log1p(-ratio);
    return std::clamp(static_cast<long>(std::ceil(std::isfinite(steps) ? steps : 1e9)), 50L, 100'000L);
}

void Exploration::prepare(Picture &picture, const FigureView &view)
{
    picture.setScale(view.left, view.top, view.right, view.bottom);
    picture.setBackColour(0xFFFFFF); // packed 0x00BBGGRR: white
    picture.setForeColour(0x000000);
    picture.setDrawWidth(1);
    picture.clear();
}

void Exploration::setDotColours(const QList<QRgb> &perTarget)
{
    if (perTarget.size() == m_targets.count())
        m_colours = perTarget;
}

void Exploration::useCopies(std::shared_ptr<const FigureCopies> copies)
{
    m_copies = std::move(copies);
}

const FigureCopies &Exploration::copiesFor(const FigureView &view, QPointF origin)
{
    const auto same = [](const FigureView &a, const FigureView &b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    if (!m_copies || !same(m_copies->view(), view) || m_copies->origin() != origin)
        m_copies = std::make_shared<const FigureCopies>(m_settings, view, origin);
    return *m_copies;
}

void Exploration::advance(long dots, Picture &picture)
{
    if (dots <= 0)
        return;
    const QList<QRgb> &colours = m_colours;
    const auto colourOf = [&colours](const auto &point) { return colours[point.target]; };
    // A picture takes the figure's own coordinates: its view, from where
    // its corners lie.
    const PixelMapping map = picture.mapping();
    const FigureView view{map.left, map.top, map.left + map.columns / map.perUnitX,
                          map.top + map.rows / map.perUnitY};
    const FigureCopies &copies = copiesFor(view, QPointF());
    if (copies.isWholeFigure()) {
        m_point = picture.setColouredPoints(dots, m_point, m_step, colourOf);
    } else {
        m_point = picture.setColouredPoints(dots, DeepPoint{0, 0, 0, m_point}, DeepStep(m_step, copies), colourOf)
                      .walk;
    }
    m_dotsDrawn += std::uint64_t(dots);
}

void Exploration::advance(long dots, DotPlane &plane)
{
    if (dots <= 0)
        return;
    const FigureCopies &copies = copiesFor(plane.view(), plane.origin());
    if (!copies.isWholeFigure()) {
        const DeepStep step(m_step, copies);
        const DeepPoint from{0, 0, 0, m_point};
        if (m_settings.colourByTarget) {
            m_point = plane.plotFromOrigin(dots, from, step,
                                           [](const DeepPoint &point) { return static_cast<unsigned char>(point.target + 1); },
                                           true).walk;
        } else {
            m_point = plane.plotFromOrigin(dots, from, step, [](const DeepPoint &) { return static_cast<unsigned char>(1); },
                                           false).walk;
        }
    } else if (m_settings.colourByTarget) {
        m_point = plane.plot(dots, m_point, m_step,
                             [](const WalkPoint &point) { return static_cast<unsigned char>(point.target + 1); },
                             true);
    } else {
        m_point = plane.plot(dots, m_point, m_step, [](const WalkPoint &) { return static_cast<unsigned char>(1); },
                             false);
    }
    m_dotsDrawn += std::uint64_t(dots);
}
