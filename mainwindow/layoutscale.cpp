// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/layoutscale.h"

#include "mainwindow/scaledlayout.h"

#include <QPaintDevice>
#include <QScreen>

#include <algorithm>
#include <cmath>

double maximisedLayoutScale(const QScreen &screen)
{
    const QSize client = screen.availableGeometry().size() - QSize(0, kTitleBarHeight);
    return ScaledLayout::fittingFactor(kLayoutClientSize, client);
}

QFont scaledFont(QFont font, double factor, const QPaintDevice &device)
{
    // Multiplied out before dividing, so that a size that is a whole number
    // of pixels at factor 1 comes back exactly.
    const double pointsToPixels = device.logicalDpiY() * device.devicePixelRatioF();
    const double pixels = std::floor(font.pointSizeF() * factor * pointsToPixels / 72 + 1e-9);
    font.setPointSizeF(std::max(pixels, 1.0) * 72 / pointsToPixels);
    return font;
}
