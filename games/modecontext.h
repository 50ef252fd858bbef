// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Canvas;
class Clock;
class QPushButton;
class RandomSource;
struct FormState;

// What a mode may touch while it runs: the canvas, the main window's
// form-level values and the two buttons that the explanation pages chain
// through, plus the run's random source and clock.
struct ModeContext
{
    Canvas &canvas;
    FormState &form;
    RandomSource &random;
    Clock &clock;
    QPushButton &screen2; // "Screen 2", on the canvas
    QPushButton &explain; // "&Explain Chaos Theory"
};
