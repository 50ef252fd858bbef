// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/targetchoices.h"

#include <QtGlobal>

TargetChoices::TargetChoices(NextTargetRule rule, const Targets &targets)
    : m_targetCount(targets.count()), m_tellsRepeats(rule == NextTargetRule::NoNeighbourAfterRepeat)
{
    const int states = 2 * m_targetCount + 1;
    for (int state = 0; state < states; ++state) {
        // The history this state stands for: the previous target (none at
        // the start), and the one before it where that matters.
        const int previous = state == startState() ? -1 : state >> 1;
        const int beforePrevious = previous >= 0 && (state & 1) ? previous : -1;
        Allowed &allowed = m_allowed[std::size_t(state)];
        for (int next = 0; next < m_targetCount; ++next) {
            if (ruleAllows(rule, targets, beforePrevious, previous, next))
                allowed.targets[allowed.count++] = std::uint8_t(next);
        }
        // Every rule leaves at least the previous target or two others.
        Q_ASSERT(allowed.count > 0);
    }
}
