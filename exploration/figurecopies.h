// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationsettings.h"
#include "exploration/targetchoices.h"
#include "exploration/targets.h"

#include <QPointF>

#include <cstdint>
#include <vector>

// The part of a figure that falls in a view, as copies of the whole figure.
//
// A step moves the point p to f_t(p) = (1 - R) p + R t, so d steps with the
// targets u1, ..., ud (in the order picked) map p to a copy of the figure
// (1 - R)^d times as large: f_u(p) = (1 - R)^d p + f_u(0). The walk's points
// after d more steps are its points mapped through such copies, and the
// figure is the union of them. For a view much smaller than the figure,
// only the few copies that meet it matter, taken at the level where a copy
// is a few times smaller than the view, as far as their number stays
// manageable. A dot is then the walk's next point mapped through one of
// those copies, picked with the chance the walk itself has of making those
// d picks next. So the view gets about all the dots, where a walk over the
// whole figure would put next to none in it, and their density is the
// walk's own.
//
// The rule shapes the copies: a copy exists only for picks the rule allows
// one after another, and the first picks must be allowed after the walk's
// own last ones, so each state of the walk's history (TargetChoices) has
// its own list of copies and chances. A state whose copies are less likely
// in all than another's gives the rest of its chance to no copy at all (a
// dot that is not plotted), so that every state keeps its share of the view.
class FigureCopies
{
public:
    // At most this many copies meet a view; where more would, the copies of
    // the level above (larger than the view) are used, fewer dots land in
    // the view, and the picture is the same, only slower to grow.
    static constexpr int kMostCopies = 1 << 13;
    // The copies are this many times smaller than the view's shorter side:
    // copies that lie partly outside the view then hold few of its dots.
    static constexpr double kCopiesPerViewSide = 4;

    // The copies that meet `view`, with their places given relative to
    // `origin` (a point near the view, so that small offsets keep their
    // digits).
    FigureCopies(const ExplorationSettings &settings, const FigureView &view, QPointF origin = QPointF());

    // How many steps deep the copies are; 0 when the view is no smaller
    // than the figure, and the walk's own points are the dots.
    int depth() const { return m_depth; }
    bool isWholeFigure() const { return m_depth == 0; }
    // The size of a copy, the figure's being 1: (1 - R)^depth.
    double scale() const { return m_scale; }
    int count() const { return int(m_copies.size()); }
    const FigureView &view() const { return m_view; }
    QPointF origin() const { return m_origin; }

    struct Copy
    {
        double x, y; // where the figure's (0, 0) lands, relative to the origin
        int lastTarget; // the last pick: the target a dot in it moved towards
    };
    const Copy &copy(int index) const { return m_copies[std::size_t(index)]; }

    // The copy for the next dot of a walk in `state`, from 64 random bits:
    // an index, or -1 for no dot (see above). Two table reads.
    int pick(int state, std::uint64_t random) const
    {
        const Table &table = m_tables[std::size_t(m_tableOfState[std::size_t(state)])];
        const std::uint32_t slot
            = std::uint32_t((std::uint64_t(std::uint32_t(random >> 32)) * table.size) >> 32);
        const Entry &entry = table.entries[slot];
        return std::uint32_t(random) < entry.threshold ? entry.own : entry.alias;
    }

private:
    struct Word
    {
        double hiX, loX, hiY, loY; // f_u(0) as the sum of two doubles each, for its last digits
        double weight;             // the chances of the picks after the first two, relative
        int first, second;         // the first two picks (second -1 for one step)
        int last;
    };
    // Walker's alias method: a slot, then the slot's own copy or its alias.
    struct Entry
    {
        std::uint32_t threshold; // below it, `own`; at or above, `alias`
        int own, alias;
    };
    struct Table
    {
        std::vector<Entry> entries;
        std::uint32_t size = 1;
    };

    std::vector<Word> wordsMeeting(const ExplorationSettings &settings, const FigureView &view, int depth,
                                   const FigureView &box);
    double chanceOfFirstPicks(int state, int first, int second) const;
    void buildTables(const std::vector<Word> &words);
    static Table aliasTable(const std::vector<double> &weights, double nothing);

    Targets m_targets;
    TargetChoices m_choices;
    bool m_tellsRepeats;
    FigureView m_view;
    QPointF m_origin;
    int m_depth = 0;
    double m_scale = 1;
    std::vector<Copy> m_copies;
    std::vector<Table> m_tables;
    std::vector<int> m_tableOfState;
    double m_largestTotal = 0;
};
