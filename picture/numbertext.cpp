// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/numbertext.h"

#include <QLocale>
#include <cmath>

QString numberText(double value)
{
    const QChar sign = value < 0 ? QLatin1Char('-') : QLatin1Char(' ');
    const double magnitude = std::fabs(value);

    // Whole numbers print as plain digits; anything else in the shortest form
    // that reads back as the same value. "." is the decimal point everywhere.
    const QString digits = magnitude == std::floor(magnitude) && magnitude < 1e15
        ? QString::number(static_cast<qint64>(magnitude))
        : QString::number(magnitude, 'g', QLocale::FloatingPointShortest);
    return sign + digits + QLatin1Char(' ');
}
