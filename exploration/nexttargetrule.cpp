// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/nexttargetrule.h"

#include "exploration/targets.h"

namespace {

struct NamedRule
{
    NextTargetRule rule;
    const char *name;
};

constexpr NamedRule kRules[] = {
    {NextTargetRule::Any, "any"},
    {NextTargetRule::NoRepeat, "no-repeat"},
    {NextTargetRule::NoNeighbour, "no-neighbour"},
    {NextTargetRule::NoNext, "no-next"},
    {NextTargetRule::NoNeighbourAfterRepeat, "no-neighbour-after-repeat"},
};

} // namespace

bool ruleAllows(NextTargetRule rule, const Targets &targets, int beforePrevious, int previous, int next)
{
    const bool afterCorner = previous >= 0 && targets.kind(previous) == Targets::Kind::Corner;
    switch (rule) {
    case NextTargetRule::Any:
        return true;
    case NextTargetRule::NoRepeat:
        return next != previous;
    case NextTargetRule::NoNeighbour:
        return !(afterCorner && targets.areNeighbourCorners(previous, next));
    case NextTargetRule::NoNext:
        return !(afterCorner && next == targets.nextCorner(previous));
    case NextTargetRule::NoNeighbourAfterRepeat:
        return !(afterCorner && beforePrevious == previous && targets.areNeighbourCorners(previous, next));
    }
    return true;
}

QStringList ruleNames()
{
    QStringList names;
    for (const NamedRule &known : kRules)
        names.append(QString::fromLatin1(known.name));
    return names;
}

QString nameOf(NextTargetRule rule)
{
    for (const NamedRule &known : kRules) {
        if (known.rule == rule)
            return QString::fromLatin1(known.name);
    }
    return QString();
}

std::optional<NextTargetRule> ruleNamed(const QString &name)
{
    QString british = name.trimmed().toLower();
    british.replace(QLatin1String("neighbor"), QLatin1String("neighbour"));
    for (const NamedRule &known : kRules) {
        if (british == QLatin1String(known.name))
            return known.rule;
    }
    return std::nullopt;
}
