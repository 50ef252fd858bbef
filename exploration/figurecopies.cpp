// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/figurecopies.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// a + b as a rounded sum and its exact rounding error (Knuth's two-sum).
void twoSum(double a, double b, double &sum, double &error)
{
    sum = a + b;
    const double b2 = sum - a;
    error = (a - (sum - b2)) + (b - b2);
}

// (hi, lo) += term, keeping the digits a double alone would drop.
void addTo(double &hi, double &lo, double term)
{
    double sum, error;
    twoSum(hi, term, sum, error);
    error += lo;
    hi = sum + error;
    lo = error - (hi - sum);
}

// hi + lo - origin, rounded once.
double relativeTo(double hi, double lo, double origin)
{
    double difference, error;
    twoSum(hi, -origin, difference, error);
    return difference + (error + lo);
}

} // namespace

FigureCopies::FigureCopies(const ExplorationSettings &settings, const FigureView &view, QPointF origin)
    : m_targets(settings.targets())
    , m_choices(settings.rule, m_targets)
    , m_tellsRepeats(settings.rule == NextTargetRule::NoNeighbourAfterRepeat)
    , m_view(view)
    , m_origin(origin)
{
    // The figure lies in its polygon: the corners' box bounds every copy.
    double left = 0, right = 0, bottom = 0, top = 0;
    for (int k = 0; k < m_targets.corners(); ++k) {
        left = std::min(left, m_targets.at(k).x());
        right = std::max(right, m_targets.at(k).x());
        bottom = std::min(bottom, m_targets.at(k).y());
        top = std::max(top, m_targets.at(k).y());
    }
    const double extent = std::max(right - left, top - bottom);
    const double keep = 1 - settings.ratio;
    const double viewSize = std::min(view.width(), view.height());

    // The depth at which a copy is a few times smaller than the view, so
    // that most of the copies' dots land in it; none when the view is the
    // size of the figure or larger, or is no proper view.
    int depth = 0;
    if (view.isValid() && std::isfinite(viewSize) && viewSize < extent && keep > 0 && keep < 1) {
        double size = extent;
        while (size > viewSize / kCopiesPerViewSide && size > std::numeric_limits<double>::min() * 1e10) {
            size *= keep;
            ++depth;
        }
    }
    if (depth == 0) {
        m_copies.push_back({-origin.x(), -origin.y(), 0});
        m_tableOfState.assign(std::size_t(TargetChoices::kMaxStates), 0);
        m_tables.push_back(aliasTable({1.0}, 0));
        return;
    }
    const std::vector<Word> words = wordsMeeting(settings, view, depth, {left, top, right, bottom});
    for (const Word &word : words)
        m_copies.push_back({relativeTo(word.hiX, word.loX, origin.x()), relativeTo(word.hiY, word.loY, origin.y()),
                            word.last});
    buildTables(words);
}

std::vector<FigureCopies::Word> FigureCopies::wordsMeeting(const ExplorationSettings &settings,
                                                           const FigureView &view, int depth,
                                                           const FigureView &box)
{
    const NextTargetRule rule = settings.rule;
    const double keep = 1 - settings.ratio;
    // A copy's box may touch the view from outside by rounding: a margin of
    // a millionth of the view keeps such copies.
    const double marginX = view.width() * 1e-6, marginY = view.height() * 1e-6;

    std::vector<Word> level{{0, 0, 0, 0, 1, -1, -1, -1}};
    std::vector<Word> next;
    double scale = 1;
    for (int reached = 0; reached < depth; ++reached) {
        const double nextScale = scale * keep;
        next.clear();
        for (const Word &word : level) {
            for (int target = 0; target < m_targets.count(); ++target) {
                // The new first pick must be one the rule lets the old first follow.
                if (word.first >= 0 && !ruleAllows(rule, m_targets, -1, target, word.first))
                    continue;
                if (word.second >= 0 && !ruleAllows(rule, m_targets, target, word.first, word.second))
                    continue;
                Word child = word;
                const QPointF pull = settings.ratio * m_targets.at(target);
                addTo(child.hiX, child.loX, scale * pull.x());
                addTo(child.hiY, child.loY, scale * pull.y());
                if (child.hiX + nextScale * box.left > view.right + marginX
                    || child.hiX + nextScale * box.right < view.left - marginX
                    || child.hiY + nextScale * box.bottom > view.top + marginY
                    || child.hiY + nextScale * box.top < view.bottom - marginY)
                    continue;
                // The old first two picks are now the second and third: the
                // chance of the third given the two before it is known.
                if (word.second >= 0) {
                    const int state = m_choices.stateAfter(2 * target, word.first);
                    child.weight /= m_choices.allowedIn(state).count;
                }
                child.second = word.first;
                child.first = target;
                if (word.last < 0)
                    child.last = target;
                next.push_back(child);
            }
        }
        if (next.size() > std::size_t(kMostCopies))
            break;
        // Relative chances: scaled so that the largest is 1, lest many
        // small factors run below what a double holds.
        double largest = 0;
        for (const Word &word : next)
            largest = std::max(largest, word.weight);
        for (Word &word : next)
            word.weight /= largest > 0 ? largest : 1;
        level.swap(next);
        scale = nextScale;
        m_depth = reached + 1;
        m_scale = scale;
    }
    return level;
}

double FigureCopies::chanceOfFirstPicks(int state, int first, int second) const
{
    const auto allows = [this](int in, int target) {
        const TargetChoices::Allowed &allowed = m_choices.allowedIn(in);
        return std::find(allowed.targets, allowed.targets + allowed.count, std::uint8_t(target))
            != allowed.targets + allowed.count;
    };
    if (!allows(state, first))
        return 0;
    double chance = 1.0 / m_choices.allowedIn(state).count;
    if (second >= 0) {
        const int after = m_choices.stateAfter(state, first);
        if (!allows(after, second))
            return 0;
        chance /= m_choices.allowedIn(after).count;
    }
    return chance;
}

void FigureCopies::buildTables(const std::vector<Word> &words)
{
    const int states = 2 * m_targets.count() + 1;
    const int start = m_choices.startState();
    // Which states a walk can be in: after the start, 2 · its last target,
    // plus 1 after a repeat where the rule tells repeats apart.
    const auto occurs = [this, start](int state) { return state != start && (m_tellsRepeats || state % 2 == 0); };

    auto weights = std::vector<std::vector<double>>(std::size_t(states));
    std::vector<double> totals(std::size_t(states), 0);
    for (int state = 0; state < states; ++state) {
        if (!occurs(state) && state != start)
            continue;
        std::vector<double> &mine = weights[std::size_t(state)];
        mine.reserve(words.size());
        for (const Word &word : words) {
            mine.push_back(chanceOfFirstPicks(state, word.first, word.second) * word.weight);
            totals[std::size_t(state)] += mine.back();
        }
        if (occurs(state))
            m_largestTotal = std::max(m_largestTotal, totals[std::size_t(state)]);
    }
    m_tableOfState.assign(std::size_t(TargetChoices::kMaxStates), 0);
    for (int state = 0; state < states; ++state) {
        if (weights[std::size_t(state)].empty())
            continue;
        m_tableOfState[std::size_t(state)] = int(m_tables.size());
        const double nothing = std::max(0.0, m_largestTotal - totals[std::size_t(state)]);
        m_tables.push_back(aliasTable(weights[std::size_t(state)], nothing));
    }
    if (m_tables.empty())
        m_tables.push_back(aliasTable({}, 1));
}

FigureCopies::Table FigureCopies::aliasTable(const std::vector<double> &weights, double nothing)
{
    // Vose's way: slots of equal chance, each holding its own copy up to
    // its threshold and another's (its alias) above.
    std::vector<int> owners;
    std::vector<double> chances;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (weights[i] > 0) {
            owners.push_back(int(i));
            chances.push_back(weights[i]);
        }
    }
    if (nothing > 0 || owners.empty()) {
        owners.push_back(-1);
        chances.push_back(owners.size() == 1 ? 1 : nothing);
    }
    const std::size_t n = owners.size();
    double total = 0;
    for (double chance : chances)
        total += chance;
    for (double &chance : chances)
        chance *= double(n) / total;

    Table table;
    table.size = std::uint32_t(n);
    table.entries.resize(n);
    std::vector<std::size_t> small, large;
    for (std::size_t i = 0; i < n; ++i)
        (chances[i] < 1 ? small : large).push_back(i);
    constexpr double kFull = 4294967296.0; // 2^32
    while (!small.empty() && !large.empty()) {
        const std::size_t less = small.back(), more = large.back();
        small.pop_back();
        table.entries[less] = {std::uint32_t(std::min(chances[less] * kFull, kFull - 1)), owners[less], owners[more]};
        chances[more] -= 1 - chances[less];
        if (chances[more] < 1) {
            large.pop_back();
            small.push_back(more);
        }
    }
    // What is left holds (up to rounding) a whole slot of its own.
    for (const std::vector<std::size_t> *rest : {&small, &large}) {
        for (std::size_t i : *rest)
            table.entries[i] = {0, owners[i], owners[i]};
    }
    return table;
}
