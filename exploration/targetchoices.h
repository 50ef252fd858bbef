// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/nexttargetrule.h"
#include "exploration/targets.h"

#include <array>
#include <cstdint>

// The targets a rule allows after each history of picks, as a table the
// walk reads instead of asking the rule every step. A history is a state
// number: 2 · previous target, plus 1 when the pick before it was the same
// target (told apart only for the rule that looks two picks back); the
// start, with no pick yet, has a state of its own. Each state lists its
// allowed targets, so a step picks one of them with equal chances.
class TargetChoices
{
public:
    struct Allowed
    {
        std::uint32_t count;
        std::uint8_t targets[Targets::kMaxCount];
    };
    static constexpr int kMaxStates = 2 * Targets::kMaxCount + 1;

    TargetChoices(NextTargetRule rule, const Targets &targets);

    int startState() const { return 2 * m_targetCount; }
    const Allowed &allowedIn(int state) const { return m_allowed[std::size_t(state)]; }
    // The state after picking `target` in `state`.
    int stateAfter(int state, int target) const
    {
        return 2 * target + int(m_tellsRepeats && (state >> 1) == target);
    }

private:
    std::array<Allowed, kMaxStates> m_allowed{};
    int m_targetCount;
    bool m_tellsRepeats;
};
