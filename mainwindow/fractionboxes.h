// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QObject;
class QWidget;

// The fractional game's boxes, shown over `window`. Each is modal to the
// user, but not through Qt's modality: the window holds the user's input
// while a mode runs and hands the box the keys typed for it, even those
// typed before the window manager has given it the keyboard, which Qt drops
// for a window under a modal box. The answer comes from the event loop,
// only while `context` lives; the box deletes itself once closed.

// "Enter fraction amount": `answered` gets the text typed, or empty text
// when the box is cancelled.
void askForFraction(QWidget &window, QObject *context, std::function<void(const QString &)> answered);
// "Invalid entry - using 0.5": `closed` is called once the box is closed.
void showFractionRefusal(QWidget &window, QObject *context, std::function<void()> closed);
