// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/explorationfile.h"

#include "exploration/ordinaryfile.h"
#include "exploration/viewchecks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ExplorationFile", text);
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

std::optional<bool> readYesNo(const QString &value)
{
    if (value == QLatin1String("yes") || value == QLatin1String("true") || value == QLatin1String("1"))
        return true;
    if (value == QLatin1String("no") || value == QLatin1String("false") || value == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

FigureView viewFittedTo(const FigureView &view, QSize pixels)
{
    const double columns = std::max(1, pixels.width()), rows = std::max(1, pixels.height());
    const double perPixel = std::max(view.width() / columns, view.height() / rows);
    const double x = view.left + view.width() / 2, y = view.bottom + view.height() / 2;
    const double halfWidth = perPixel * columns / 2, halfHeight = perPixel * rows / 2;
    return {x - halfWidth, y + halfHeight, x + halfWidth, y - halfHeight};
}

bool ExplorerSetup::operator==(const ExplorerSetup &other) const
{
    const auto sameView = [](const std::optional<FigureView> &a, const std::optional<FigureView> &b) {
        if (!a || !b)
            return !a && !b;
        return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
    };
    const ExplorationSettings &s = settings, &o = other.settings;
    return s.corners == o.corners && s.centre == o.centre && s.midpoints == o.midpoints && s.ratio == o.ratio
        && s.rule == o.rule && s.colourByTarget == o.colourByTarget && dotSize == other.dotSize
        && dark == other.dark && sameView(view, other.view);
}

QString explorationText(const ExplorerSetup &setup)
{
    const ExplorationSettings &s = setup.settings;
    // 17 significant digits give back the very same double when read.
    QString text = QStringLiteral("# The Chaos Game: an exploration, for its Explorer window.\n"
                                  "# One \"key = value\" to a line; lines starting with # are comments.\n");
    text += QStringLiteral("corners = %1\n").arg(s.corners);
    text += QStringLiteral("centre = %1\n").arg(yesNo(s.centre));
    text += QStringLiteral("midpoints = %1\n").arg(yesNo(s.midpoints));
    text += QStringLiteral("ratio = %1\n").arg(s.ratio, 0, 'g', 17);
    text += QStringLiteral("rule = %1\n").arg(nameOf(s.rule));
    text += QStringLiteral("colour = %1\n").arg(yesNo(s.colourByTarget));
    text += QStringLiteral("dot-size = %1\n").arg(setup.dotSize);
    text += QStringLiteral("background = %1\n").arg(setup.dark ? QStringLiteral("dark") : QStringLiteral("light"));
    if (setup.view) {
        text += QStringLiteral("# The part of the figure in view: left top right bottom.\n");
        text += QStringLiteral("view = %1 %2 %3 %4\n")
                    .arg(setup.view->left, 0, 'g', 17)
                    .arg(setup.view->top, 0, 'g', 17)
                    .arg(setup.view->right, 0, 'g', 17)
                    .arg(setup.view->bottom, 0, 'g', 17);
    }
    return text;
}

ExplorationReading readExplorationText(const QString &text)
{
    ExplorerSetup setup;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype number = 1; number <= lines.size(); ++number) {
        const QString line = lines[number - 1].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto refuse = [&](const QString &why) {
            return ExplorationReading{std::nullopt, tr("Line %1 (\"%2\"): %3").arg(number).arg(line, why)};
        };
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            return refuse(tr("expected \"key = value\"."));
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed().toLower();
        if (key == QLatin1String("corners")) {
            bool ok = false;
            const int corners = value.toInt(&ok);
            if (!ok || corners < Targets::kMinCorners || corners > Targets::kMaxCorners)
                return refuse(tr("corners must be a whole number from 3 to 12."));
            setup.settings.corners = corners;
        } else if (key == QLatin1String("centre") || key == QLatin1String("center")
                   || key == QLatin1String("midpoints") || key == QLatin1String("colour")
                   || key == QLatin1String("color")) {
            const std::optional<bool> yes = readYesNo(value);
            if (!yes)
                return refuse(tr("the value must be yes or no."));
            if (key.startsWith(QLatin1String("cent")))
                setup.settings.centre = *yes;
            else if (key == QLatin1String("midpoints"))
                setup.settings.midpoints = *yes;
            else
                setup.settings.colourByTarget = *yes;
        } else if (key == QLatin1String("ratio")) {
            const std::optional<double> ratio = numberOrFraction(value);
            if (!ratio || !(*ratio > 0 && *ratio < 1))
                return refuse(tr("the ratio must be more than 0 and less than 1, such as 0.5 or 2/3."));
            setup.settings.ratio = *ratio;
        } else if (key == QLatin1String("rule")) {
            const std::optional<NextTargetRule> rule = ruleNamed(value);
            if (!rule)
                return refuse(tr("unknown rule; the rules are %1.").arg(ruleNames().join(QLatin1String(", "))));
            setup.settings.rule = *rule;
        } else if (key == QLatin1String("dot-size")) {
            if (value != QLatin1String("1") && value != QLatin1String("2"))
                return refuse(tr("the dot size must be 1 or 2."));
            setup.dotSize = value.toInt();
        } else if (key == QLatin1String("background")) {
            if (value != QLatin1String("light") && value != QLatin1String("dark"))
                return refuse(tr("the background must be light or dark."));
            setup.dark = value == QLatin1String("dark");
        } else if (key == QLatin1String("view")) {
            const ViewChecks::Reading view = ViewChecks::readView(value);
            if (!view.view)
                return refuse(view.problem);
            setup.view = view.view;
        } else {
            return refuse(tr("unknown key \"%1\".").arg(key));
        }
    }
    return {setup, QString()};
}

ExplorationReading readExplorationFile(const QString &path)
{
    QFile file(path);
    // A .chaos file is a few hundred bytes; anything far larger is not one.
    constexpr qint64 kMostBytes = 64 * 1024;
    // A named pipe would keep the reading waiting: looked at before opening.
    if (const QString problem = ordinaryFileProblem(path, kMostBytes); !problem.isEmpty())
        return {std::nullopt, problem};
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {std::nullopt, tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString())};
    if (file.size() > kMostBytes)
        return {std::nullopt, tr("%1 is too large to be an exploration.").arg(QDir::toNativeSeparators(path))};
    ExplorationReading reading = readExplorationText(QString::fromUtf8(file.read(kMostBytes)));
    if (!reading.setup)
        reading.problem = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reading.problem);
    return reading;
}

QString writeExplorationFile(const ExplorerSetup &setup, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    const QByteArray bytes = explorationText(setup).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
