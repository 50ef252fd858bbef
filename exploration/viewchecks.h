// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/targets.h"

#include <QString>

#include <optional>

// What makes a view of a figure usable, wherever it comes from (a file,
// the remembered exploration, the Explorer's zoom): its edges are numbers
// within reach of the figure (whose corners lie on the unit circle), its
// width and height are positive and finite, and not so small that doubles
// no longer tell its edges apart.
namespace ViewChecks {

// No edge farther than this from the figure's centre.
inline constexpr double kFarthestEdge = 1e6;
// The least width or height of a view, in units of the last place of the
// largest of its coordinates (and of 1): its edges then keep enough digits
// to be fitted to a picture's proportions without coming apart.
inline constexpr double kFewestSteps = 64;

// Why the view cannot be used, or nothing when it can.
QString problemOf(const FigureView &view);

// The view written as "left top right bottom", or why not.
struct Reading
{
    std::optional<FigureView> view;
    QString problem;
};
Reading readView(const QString &text);

} // namespace ViewChecks
