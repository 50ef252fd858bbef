// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/mainwindow.h"
#include "canvas/canvas.h"
#include "games/clock.h"
#include "games/randomsource.h"

#include <QPointer>

#include <functional>
#include <vector>

class QMenu;
class QPushButton;
class QTimer;

// Hands out a fixed sequence of values r, 0 <= r < 1, over and over; a
// draw of 1..n gives floor(r * n) + 1.
class ScriptedRandom : public RandomSource
{
public:
    explicit ScriptedRandom(std::vector<double> values) : RandomSource(Scripted{}), m_values(std::move(values)) {}

    void seed(float secondsSinceMidnight) override { seeds.push_back(secondsSinceMidnight); }
    void setValues(std::vector<double> values);

    std::vector<float> seeds;
    long drawn = 0;

protected:
    double nextScripted() override;

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
};

// A clock whose pauses take no time. Each pause advances the reading by one
// tick and calls onPause, where a test can look at the run in progress.
// With `throughEventLoop` a pause returns to the event loop and ends from a
// zero-time timer, as a real clock's does, only sooner.
class FakeClock : public Clock
{
public:
    explicit FakeClock(float start = 36000.0f) : now(start) {}

    float secondsSinceMidnight() override { return now; }
    bool pause(QObject *context, std::function<void()> resume) override;

    float now;
    int pauses = 0;
    bool throughEventLoop = false;
    std::function<void()> onPause;
};

// A main window on a scripted random source and a fake clock, with the
// lookups the mode tests share.
class GameWindow
{
public:
    GameWindow();
    ~GameWindow();

    void reopen(RandomSource &source); // a fresh window on another source

    MainWindow &window() { return *m_window; }
    // Makes the window the active one, as the window system does when the
    // user clicks it; whether it became active.
    bool activate();
    FormState &form() { return m_window->formState(); }
    Canvas &canvas() { return m_window->canvas(); }
    QPushButton *button(const char *name);
    // Clicks the button and waits until the mode it starts has ended.
    void click(const char *name);
    bool modeRunning();
    // A primary click on the canvas, far from any marker.
    void clickCanvas(Qt::MouseButton button = Qt::LeftButton);

    QRgb background();
    bool drawnAt(double x, double y);
    // Drawn pixels in the rectangle between two user points.
    int drawnBetween(double x1, double y1, double x2, double y2);
    // The pixels of the rectangle between two user points.
    QImage region(double x1, double y1, double x2, double y2);

    FakeClock clock;
    ScriptedRandom random{{0.0}};

private:
    void open(RandomSource &source);
    QPointer<MainWindow> m_window;
};

// A fresh canvas of the main window's size and scale, for drawing what a
// mode is expected to have drawn.
class ReferenceCanvas : public Canvas
{
public:
    ReferenceCanvas();
    QImage region(double x1, double y1, double x2, double y2) const;
};

// The dialog that is open now: a modal one, or a box a mode waits in.
QWidget *openDialog();

// Calls `handle` with the next dialog once it is open. Arm it before
// the click that opens the dialog. Deleting the returned timer disarms it.
QTimer *whenModalOpens(std::function<void(QWidget *dialog)> handle);
// The same for the next popup menu (a context menu, say).
QTimer *whenMenuOpens(std::function<void(QMenu *menu)> handle);

// Types `answer` into the fractional game's input box once it opens and
// presses OK. For answers the game takes, so no refusal follows.
void answerNextFraction(const QString &answer);
