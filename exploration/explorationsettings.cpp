// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/explorationsettings.h"

#include <QLocale>

#include <cmath>

bool ExplorationSettings::isValid() const
{
    return corners >= Targets::kMinCorners && corners <= Targets::kMaxCorners && ratio > 0 && ratio < 1;
}

std::optional<double> numberOrFraction(const QString &text)
{
    // QString's conversion reads "." as the decimal point in every locale.
    const auto number = [](const QString &part) -> std::optional<double> {
        const QString trimmed = part.trimmed();
        if (trimmed.compare(QLatin1String("golden"), Qt::CaseInsensitive) == 0)
            return kGoldenRatioInverse;
        bool ok = false;
        const double value = trimmed.toDouble(&ok);
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

std::optional<double> readRatio(const QString &text)
{
    const std::optional<double> ratio = numberOrFraction(text);
    if (!ratio || !(*ratio > 0 && *ratio < 1))
        return std::nullopt;
    return ratio;
}

QString ratioAsWritten(double ratio, const QString &typed)
{
    const QString given = typed.trimmed();
    if (!given.isEmpty() && readRatio(given) == ratio)
        return given;
    if (ratio == kGoldenRatioInverse)
        return QStringLiteral("golden");
    const QString decimal = QString::number(ratio, 'g', QLocale::FloatingPointShortest);
    if (decimal.size() > 6) {
        for (int denominator = 2; denominator <= 12; ++denominator) {
            const double numerator = std::round(ratio * denominator);
            if (numerator / denominator == ratio)
                return QStringLiteral("%1/%2").arg(int(numerator)).arg(denominator);
        }
    }
    return decimal;
}
