// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/viewchecks.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>

namespace ViewChecks {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ViewChecks", text);
}

} // namespace

QString problemOf(const FigureView &view)
{
    const double edges[] = {view.left, view.top, view.right, view.bottom};
    for (double edge : edges) {
        if (!std::isfinite(edge))
            return tr("the view's edges must be numbers.");
        if (std::abs(edge) > kFarthestEdge)
            return tr("the view's edges must lie within %1 of the figure's centre.").arg(kFarthestEdge, 0, 'g', 6);
    }
    if (!(view.left < view.right) || !(view.bottom < view.top))
        return tr("the view needs left < right and bottom < top.");
    // Within the bounds above neither difference overflows; the check
    // stays for whatever bounds come later.
    if (!std::isfinite(view.width()) || !std::isfinite(view.height()))
        return tr("the view's width and height must be finite.");
    double magnitude = 1;
    for (double edge : edges)
        magnitude = std::max(magnitude, std::abs(edge));
    const double least = kFewestSteps * std::numeric_limits<double>::epsilon() * magnitude;
    if (view.width() < least || view.height() < least)
        return tr("the view is too small for the precision of the numbers: its width and height must be at least "
                  "%1.")
            .arg(least, 0, 'g', 3);
    return QString();
}

Reading readView(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return {std::nullopt, tr("the view must be four numbers: left top right bottom.")};
    double edges[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        edges[i] = parts[i].toDouble(&ok);
        if (!ok)
            return {std::nullopt, tr("the view must be four numbers: left top right bottom.")};
    }
    const FigureView view{edges[0], edges[1], edges[2], edges[3]};
    const QString problem = problemOf(view);
    if (!problem.isEmpty())
        return {std::nullopt, problem};
    return {view, QString()};
}

} // namespace ViewChecks
