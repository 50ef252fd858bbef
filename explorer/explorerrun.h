// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/exploration.h"
#include "exploration/explorationfile.h"

#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>

#include <memory>

class ExplorerView;

// Draws an exploration into the Explorer's view from the event loop, a
// slice at a time, so that the program never stops answering: a timer
// fires about 60 times a second (with any other program windows' events
// between, and also while a classic game in the main window lets events
// through), each time plotting the dots due at the chosen speed, at full
// speed as many as fit in a few milliseconds, and presents the picture once.
//
// Dots come from running (start()/pause()), at `dotsPerSecond`, or from a
// number asked for at once (drawMore()), drawn as fast as the slices allow.
//
// It rests when there is nothing to see: at full speed, once the picture
// has gained almost no dotted pixel for a few seconds (under one in a
// thousand of those it has), the figure is complete at
// this size and view, and the run pauses itself (isComplete() says so until
// something changes); and while the view cannot be seen (its window
// minimised or hidden, or reported covered) it draws nothing and looks
// only a few times a second whether it is back.
class ExplorerRun : public QObject
{
    Q_OBJECT

public:
    // Speeds up to this many dots a second are a rate; above, full speed.
    static constexpr double kFullSpeed = 1e300;

    explicit ExplorerRun(ExplorerView &view, QObject *parent = nullptr);

    // A new walk of this setup, from a new seed, on an empty picture.
    void restart(const ExplorerSetup &setup);
    // The view changed: an empty picture of the new view, filled again with
    // as many dots as the old one had when paused, so the figure is back.
    void redrawForView();
    // Empties the picture; the walk goes on from where it stood.
    void clear();

    void start();
    void pause();
    bool isRunning() const { return m_running; }
    // The run paused itself: more dots would not change the picture.
    bool isComplete() const { return m_complete; }
    void setDotsPerSecond(double rate);
    double dotsPerSecond() const { return m_rate; }
    // Draws this many more dots, soon, whether running or not.
    void drawMore(quint64 dots);
    // Plots exactly one dot now and shows its move.
    void step();

    // Dots plotted on the picture shown now (those outside the view included).
    quint64 dotsDrawn() const { return m_dots; }
    // Dots still to draw of those asked for.
    quint64 dotsPending() const { return m_pending; }

    // How long a slice at full speed may draw.
    static constexpr int kSliceBudgetMs = 8;
    static constexpr int kFrameIntervalMs = 16;
    // While the view cannot be seen: how often to look whether it is back.
    static constexpr int kHiddenIntervalMs = 250;
    // At full speed: how often the dotted pixels are counted, and for how
    // long their count must stay the same for the run to rest.
    static constexpr int kCompletenessCheckMs = 500;
    static constexpr int kRestAfterMs = 3000;

signals:
    // The count of dots drawn changed, or running started or stopped.
    void progressed();

private:
    void tick();
    void plot(long dots);
    void updateTimer();
    bool viewCanBeSeen() const;
    void checkCompleteness();
    void forgetCompleteness();

    ExplorerView &m_view;
    ExplorerSetup m_setup;
    std::unique_ptr<Exploration> m_exploration;
    QRandomGenerator m_seeds{QRandomGenerator::securelySeeded()};
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    bool m_running = false;
    double m_rate = kFullSpeed;
    double m_due = 0; // dots due at the chosen rate, fractions included
    quint64 m_pending = 0;
    quint64 m_dots = 0;
    // Resting: the dotted pixels when last counted, since when the count
    // stayed the same, and whether the run paused itself for it.
    qsizetype m_dottedPixels = -1;
    QElapsedTimer m_sinceCounted;
    QElapsedTimer m_sinceGrown;
    bool m_complete = false;
};

// How many pixels of the image differ from its background colour, given
// as 0xRRGGBB (alpha aside).
qsizetype dottedPixels(const QImage &image, QRgb background);
