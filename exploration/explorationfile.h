// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationsettings.h"
#include "exploration/targets.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// Everything that makes an exploration look the way it does in the
// Explorer: the figure's settings, how its dots are shown, and the part of
// the figure in view (the whole figure when none is kept).
struct ExplorerSetup
{
    ExplorationSettings settings;
    int dotSize = 1;   // 1 or 2 pixels
    bool dark = false; // light dots on a dark background
    std::optional<FigureView> view;

    bool operator==(const ExplorerSetup &other) const;
};

// The part of the figure a picture of `pixels` shows for `view`: the same
// middle, all of the view in it, widened on one side to the picture's
// proportions, so that a unit is as long across as up.
FigureView viewFittedTo(const FigureView &view, QSize pixels);

// A .chaos file: a small text file of "key = value" lines, one setting to a
// line, in any order; blank lines and what follows a '#' are comments.
//
//   format     = 1              the version of this format the file is written in
//   corners    = 3 to 12
//   centre     = yes | no       also target the polygon's centre
//   midpoints  = yes | no       also target the midpoints of its edges
//   ratio      = 0 < r < 1      a decimal (0.5), a fraction (2/3) or golden
//   rule       = any | no-repeat | no-neighbour | no-next | no-neighbour-after-repeat
//   colour     = yes | no       colour each dot by its target
//   dot-size   = 1 | 2          pixels
//   background = light | dark
//   view       = left top right bottom   the figure's coordinates shown
//
// A key left out keeps the triangle's value. In a file of this format (or
// one with no format line, written before there was one) an unknown key or
// a value that cannot be read is refused, so that a mistyped one is not
// silently ignored. A file of a newer format, from a later release, is
// read as far as this program understands it: what it cannot read there is
// skipped with a warning, so that the file still opens.
inline constexpr int kExplorationFormat = 1;
QString explorationText(const ExplorerSetup &setup);
// The setup the text describes, or why it cannot be read (naming the line);
// `warnings` name the lines of a newer format that were skipped.
struct ExplorationReading
{
    std::optional<ExplorerSetup> setup;
    QString problem;
    QStringList warnings;
};
ExplorationReading readExplorationText(const QString &text);
// The same for a file; a problem or a warning also names the file.
ExplorationReading readExplorationFile(const QString &path);
// Writes the file whole or not at all; returns why it failed, or nothing.
QString writeExplorationFile(const ExplorerSetup &setup, const QString &path);
