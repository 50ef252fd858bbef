// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationsettings.h"
#include "exploration/explorationwalk.h"
#include "exploration/targets.h"

#include <QList>
#include <QRgb>

#include <cstdint>
#include <memory>

class DotPlane;
class FigureCopies;
class Picture;

// One walk of an exploration, drawn a slice at a time: each advance()
// plots the next dots where the last one stopped, so a window can draw a
// slice per frame from its event loop, and the figure grows as it would in
// one go. The dots go to a Picture (the surface a canvas shows) or to a
// DotPlane; what part of the figure they show is that picture's view: a
// dot outside it is not plotted. A view smaller than the figure gets the
// walk's points mapped into the copies of the figure that meet it
// (FigureCopies), so a zoomed view fills as fast as the whole figure does,
// however deep it goes.
//
// The walk begins at the figure's centre and drops its first steps, which
// are not yet on the figure (see stepsBeforeTheFigure()).
class Exploration
{
public:
    // Walk number `walk` of those started from `seed`: each has its own
    // generator, derived from both, so walks are independent of each other
    // and each is the same every time.
    Exploration(const ExplorationSettings &settings, std::uint64_t seed, std::uint64_t walk = 0);

    const ExplorationSettings &settings() const { return m_settings; }
    const Targets &targets() const { return m_targets; }
    // Dots plotted so far, those outside the view included (for a deep
    // view: the walk's steps, each one mapped dot).
    std::uint64_t dotsDrawn() const { return m_dotsDrawn; }
    // Where the walk stands: the last dot plotted, and the target it moved towards.
    const WalkPoint &lastPoint() const { return m_point; }
    // The colour each target's dots take on a Picture, in place of its own
    // colour or black (on a dark background, say); one per target.
    void setDotColours(const QList<QRgb> &perTarget);
    // The colour the dots of `target` take on a Picture.
    QRgb dotColour(int target) const { return m_colours.value(target); }

    // Gives the picture the user coordinates of this view of the figure
    // and clears it to white, black dots on it (targets coloured or not).
    static void prepare(Picture &picture, const FigureView &view);
    // Plots the next `dots` dots at draw width 1 (the picture's), each in
    // its target's colour or black.
    void advance(long dots, Picture &picture);
    // Plots the next `dots` dots: value 1 for each, or 1 + its target when
    // coloured (see explorationColourTable()).
    void advance(long dots, DotPlane &plane);

    // The copies of the figure for the view the next dots are drawn in; a
    // render of many walks makes them once for all. Without, each walk
    // makes its own when it meets a view it has not drawn in before.
    void useCopies(std::shared_ptr<const FigureCopies> copies);

    // The generator of walk `walk` from `seed`.
    static Xoshiro256StarStar generatorOf(std::uint64_t seed, std::uint64_t walk);
    // How many first steps a walk drops: until a start anywhere in the
    // figure would have come within a millionth of its size of the figure.
    static long stepsBeforeTheFigure(double ratio);

private:
    const FigureCopies &copiesFor(const FigureView &view, QPointF origin);

    ExplorationSettings m_settings;
    Targets m_targets;
    WalkStep m_step;
    WalkPoint m_point;
    QList<QRgb> m_colours; // per target: its own colour, or black
    std::uint64_t m_dotsDrawn = 0;
    std::shared_ptr<const FigureCopies> m_copies;
};
