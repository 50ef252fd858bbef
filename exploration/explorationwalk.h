// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationsettings.h"
#include "exploration/targetchoices.h"
#include "random/uniformpick.h"
#include "random/xoshiro256starstar.h"

#include <array>
#include <cstdint>

// Where a walk stands: its point in the figure's plane, the target it
// moved towards last, its history for the rule, and its own generator.
// Carried by value through the drawing loops, so that it stays in registers.
struct WalkPoint
{
    double x = 0, y = 0;
    int target = 0;
    int state = 0;
    Xoshiro256StarStar generator;
};

// One step of an exploration's walk: pick one of the targets the rule
// allows, with equal chances, and move the fraction R of the way there.
// It holds everything it reads, so a copy can go to another thread.
class WalkStep
{
public:
    explicit WalkStep(const ExplorationSettings &settings)
        : m_choices(settings.rule, settings.targets()), m_keep(1 - settings.ratio)
    {
        const Targets targets = settings.targets();
        for (int t = 0; t < targets.count(); ++t) {
            m_pullX[std::size_t(t)] = settings.ratio * targets.at(t).x();
            m_pullY[std::size_t(t)] = settings.ratio * targets.at(t).y();
        }
    }

    // A walk from the centre of the figure with no pick yet.
    WalkPoint start(const Xoshiro256StarStar &generator) const
    {
        return {0, 0, 0, m_choices.startState(), generator};
    }

    WalkPoint operator()(WalkPoint point) const
    {
        const TargetChoices::Allowed &allowed = m_choices.allowedIn(point.state);
        const int target = allowed.targets[uniformOneTo(point.generator, allowed.count) - 1];
        // p + R (t - p), as p (1 - R) + R t.
        point.x = point.x * m_keep + m_pullX[std::size_t(target)];
        point.y = point.y * m_keep + m_pullY[std::size_t(target)];
        point.state = m_choices.stateAfter(point.state, target);
        point.target = target;
        return point;
    }

private:
    TargetChoices m_choices;
    double m_keep;
    std::array<double, Targets::kMaxCount> m_pullX{}, m_pullY{};
};
