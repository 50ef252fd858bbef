// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "games/modetask.h"
#include "mainwindow/heldinput.h"

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

class QWidget;
class QWindow;

// Runs the main window's modes one at a time, each from the event loop, and
// holds the user's input back while one runs: every key, click and menu
// request that reaches one of the main window's windows (itself, its dialogs,
// its menus) is kept as a copy and swallowed, so nothing can open a menu or a
// dialog or start another mode mid-run. After the mode the copies are handed
// on in order, one at a time: each key to whatever has the keyboard then, each
// click to its window at its place, so shortcuts, focus and modality work as
// for live input. Newer input queues behind waiting copies. A close request
// takes its turn like the rest and drops everything behind it.
//
// A mode may wait in a box of its own, shown without Qt's modality (which
// would drop keys typed ahead of it) yet modal to the user: keys given to the
// main window while it is open go to the box, also those typed before the
// window manager gave it the keyboard; clicks, closes and menu requests on the
// window do nothing, and activating the window hands the keyboard back to the
// box. Dialogs the box opens are part of it.
class InputHoldBack : public QObject
{
    Q_OBJECT

public:
    // Watches the input of every window of the application on behalf of
    // `window`, the main window, whose close() carries out a held close request.
    explicit InputHoldBack(QWidget &window);

    // Starts the mode that `start` starts, or, while another mode runs or
    // input waits, does so once everything before it has been handled.
    // `afterMode` runs after each mode's end.
    void runInTurn(std::function<ModeTask()> start);
    // Runs `action` (saving the picture, say) now, or in its turn after the
    // running mode and whatever waits.
    void whenIdle(std::function<void()> action);
    void setAfterMode(std::function<void()> afterMode) { m_afterMode = std::move(afterMode); }

    bool modeRunning() const { return m_modeRunning; }

    // For the window's close handling: whether the window may close now.
    // When it may not, a close requested while a mode runs or input waits is
    // held for its turn, and one requested while a box is open is refused
    // (the box comes to the front), as for any window under a modal box.
    bool allowsCloseNow();
    // The window has accepted its close: drops whatever waits and stops holding.
    void closeDown();
    // Stops the running mode where it waits; nothing more is drawn.
    void stopMode();

    // How many input events and actions are waiting.
    std::size_t waiting() const { return m_queue.size(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The box the running mode waits in, if it waits in one.
    QWidget *modeBox() const;
    bool computing() const;
    bool holding() const;
    // Whether the mode's box keeps input from `topLevel`.
    bool boxBlocks(const QWidget *topLevel) const;
    void bringBoxForward();
    // Whether input arriving at `window` is kept back: held for its turn, or
    // dropped where it would do nothing.
    bool keepsBack(QWindow *window, QEvent *event);

    void modeEnded();
    void hold(Held held);
    void scheduleReplay();
    void replayNext();
    // The widget that has the keyboard now, for a key typed in `typedIn`.
    QWidget *keyboardOwner(QWindow *typedIn);
    void replay(const HeldEvent &input);

    QWidget &m_window;
    QPointer<QWidget> m_box;
    std::function<void()> m_afterMode;
    std::deque<Held> m_queue;
    ModeTask m_mode; // the running mode
    bool m_replayScheduled = false;
    bool m_modeRunning = false;
    bool m_replaying = false;
    bool m_closed = false;
};
