// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/explorationsettings.h"

#include <cmath>

bool ExplorationSettings::isValid() const
{
    return corners >= Targets::kMinCorners && corners <= Targets::kMaxCorners && ratio > 0 && ratio < 1;
}

std::optional<double> numberOrFraction(const QString &text)
{
    // QString's conversion reads "." as the decimal point in every locale.
    const auto number = [](const QString &part) -> std::optional<double> {
        bool ok = false;
        const double value = part.trimmed().toDouble(&ok);
        return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    };
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return number(text);
    const auto numerator = number(text.left(slash));
    const auto denominator = number(text.mid(slash + 1));
    if (!numerator || !denominator || *denominator == 0)
        return std::nullopt;
    return *numerator / *denominator;
}
