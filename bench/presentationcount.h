// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QWidget;

// How often a widget is painted while something runs: what the window
// shows, counted from the paint events the widget itself receives.
struct Presentations
{
    int count = 0;
    double seconds = 0;
    double longestGapMs = 0; // between two paints, or from the start to the first or the last to the end
    int gapsOver20Ms = 0;

    double perSecond() const { return seconds > 0 ? count / seconds : 0; }
};

// Runs `run` and counts the paint events `widget` receives meanwhile.
Presentations countPresentations(QWidget &widget, const std::function<void()> &run);
