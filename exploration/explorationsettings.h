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
    // The ratio as the user typed it ("2/3", "golden"), so that a saved
    // exploration says what was meant; empty when it came from a slider.
    // Used only while it still reads as `ratio`.
    QString ratioTyped = {};

    Targets targets() const { return Targets(corners, centre, midpoints); }
    // Corners from 3 to 12, and 0 < R < 1.
    bool isValid() const;
    // The same figure in the same colours: everything but how the ratio
    // was typed, which names the same number either way.
    bool operator==(const ExplorationSettings &other) const
    {
        return corners == other.corners && centre == other.centre && midpoints == other.midpoints
            && ratio == other.ratio && rule == other.rule && colourByTarget == other.colourByTarget;
    }
};

// 1/φ, the golden ratio's inverse: on five corners the pentagons that the
// steps shrink the figure into then just touch (the pentaflake).
inline constexpr double kGoldenRatioInverse = 0.6180339887498949;

// A number as typed: a decimal ("0.5", "." as the decimal point in every
// locale), a fraction of two such numbers ("2/3"), or "golden" (1/φ, in
// any case). Nothing when it is none of these; the range is not checked.
std::optional<double> numberOrFraction(const QString &text);

// A ratio as typed in the Explorer's field, in a .chaos file or after
// --ratio: what numberOrFraction() reads, more than 0 and less than 1.
std::optional<double> readRatio(const QString &text);

// How a ratio is written for people: as typed when that still reads as
// it; "golden" for 1/φ; a fraction with a denominator up to 12 when it is
// exactly one and its decimal would be long (2/3, not 0.6666666666666666);
// else the shortest decimal that reads back as the same number.
QString ratioAsWritten(double ratio, const QString &typed = QString());
