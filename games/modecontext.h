// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class Clock;
class Easel;
class QObject;
class RandomSource;
struct FormState;

// What a mode asks of the window it runs in, beyond the picture: the
// buttons the explanation pages chain through, and the fractional game's
// boxes. The main window answers; a mode needs no window of its own.
class ModeHost
{
public:
    virtual ~ModeHost() = default;

    // Shows or hides "Screen 2", the button on the canvas; shown, it takes the focus.
    virtual void showScreenTwo(bool shown) = 0;
    // Gives the focus to "Explain Chaos Theory".
    virtual void focusExplain() = 0;
    // Asks for the fraction a step goes; `answered` gets the text typed, or
    // empty text when the box is cancelled. The answer comes later, from
    // the event loop, and only while `context` lives.
    virtual void askFraction(QObject *context, std::function<void(const QString &)> answered) = 0;
    // Says the fraction typed was refused; `closed` is called once the box
    // is closed, later and only while `context` lives.
    virtual void refuseFraction(QObject *context, std::function<void()> closed) = 0;
};

// What a mode may touch while it runs: the picture on the canvas, the main
// window's form-level values and buttons, plus the run's random source and clock.
struct ModeContext
{
    Easel &canvas;
    FormState &form;
    RandomSource &random;
    Clock &clock;
    ModeHost &host;
};
