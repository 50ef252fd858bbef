// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Targets;

// Which target may follow the ones picked before. Only corners are ever
// forbidden by the corner rules, and only after a corner; no-repeat
// forbids whatever target came last.
enum class NextTargetRule {
    Any,                    // every target, every time
    NoRepeat,               // never the previous target
    NoNeighbour,            // never a corner next to the previous corner
    NoNext,                 // never the corner after the previous one, anticlockwise
    NoNeighbourAfterRepeat, // after the same corner twice, not one of its neighbours
};

// Whether the rule lets `next` follow `previous` and `beforePrevious`
// (-1 where there was no pick yet). This states the rules; the walk reads
// them from tables made from it (TargetChoices).
bool ruleAllows(NextTargetRule rule, const Targets &targets, int beforePrevious, int previous, int next);

// The rules' names on the command line, in the order they are listed.
QStringList ruleNames();
QString nameOf(NextTargetRule rule);
// The rule with this name; American spellings ("no-neighbor") too.
std::optional<NextTargetRule> ruleNamed(const QString &name);
