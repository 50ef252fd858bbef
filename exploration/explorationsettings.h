// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/nexttargetrule.h"
#include "exploration/targets.h"

#include <QString>

#include <optional>

// One exploration: the targets (a regular polygon's corners, and
// optionally its centre and the midpoints of its edges), the ratio R (each
// step moves the point the fraction R of the way to the picked target), the
// rule for which target may come next, and whether each dot takes the
// colour of its target.
struct ExplorationSettings
{
    int corners = 3;
    bool centre = false;
    bool midpoints = false;
    double ratio = 0.5;
    NextTargetRule rule = NextTargetRule::Any;
    bool colourByTarget = false;

    Targets targets() const { return Targets(corners, centre, midpoints); }
    // Corners from 3 to 12, and 0 < R < 1.
    bool isValid() const;
};

// A ratio as typed: a decimal ("0.5", "." as the decimal point) or a
// fraction of two such numbers ("2/3"). Nothing when it is neither; the
// range is not checked here.
std::optional<double> numberOrFraction(const QString &text);
