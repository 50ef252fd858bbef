// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QSize>

class QPaintDevice;
class QScreen;

// The main window's layout is made for the client area of a window
// maximised on a 1024 x 768 screen under a normal 19-pixel title bar. At
// that size its scale is exactly 1; at every other size it scales by the
// factor that fits it into the client area.
constexpr QSize kLayoutClientSize(1024, 749);
constexpr int kTitleBarHeight = 768 - 749;

// The scale the main window's layout takes when the window is maximised on
// screen: the layout fitted into the screen's available area less a title bar.
double maximisedLayoutScale(const QScreen &screen);

// font at factor times its size, rounded down to a whole number of pixels on
// device. Hinted text at a fractional pixel size runs relatively wider: a
// caption that fits its button at scale 1 would no longer fit.
QFont scaledFont(QFont font, double factor, const QPaintDevice &device);
