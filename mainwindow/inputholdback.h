// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow/heldinput.h"

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;
class QWindow;

// Runs the main window's modes one at a time and holds the user's input
// back while one runs, then hands it on in the order it was given.
//
// A mode runs to its end inside the action that started it. The window stays
// alive meanwhile because the canvas lets Qt handle events whenever it shows
// its picture; every key, click and context-menu request that arrives then
// at one of the main window's windows is taken as it arrives, kept as a copy
// and swallowed, so nothing depends on the window system keeping it queued
// and nothing can open a menu or a dialog in the middle of a run. Once the
// mode has ended the copies are handed on, one at a time: each key to
// whatever has the keyboard at that moment (a menu, a dialog, its completer,
// or else the window it was typed in), each click to its window at its place.
// Shortcuts, focus and modality then work as for the live input. While
// copies wait, newer input queues behind them. Windows that are not the main
// window's own (another top-level window of the program) are left alone.
//
// A close request made while a mode runs, or while input waits, takes its
// turn like the rest; when it is carried out, everything behind it is
// dropped. Nothing runs on the window once it has accepted its close.
//
// A mode may wait in a box of its own (a dialog it shows without Qt's
// modality, so that keys typed ahead of it are not lost). The box is modal to
// the user all the same: keys given to the main window while it is open go
// to the box, even those that reached the window before the window manager
// gave the box the keyboard; clicks, closes and context menus on the window
// do nothing, and activating the window hands the keyboard back to the box.
// Dialogs the box opens itself (a question of the file dialog's, say) are
// part of the box.
//
// Button accelerators move the focus to their button and click it at once,
// on the key press, instead of after the toolkit's animated click, so input
// given right after one cannot overtake it; holding one down clicks once.
class InputHoldBack : public QObject
{
    Q_OBJECT

public:
    // Watches the input of every window of the application on behalf of
    // `window`, the main window, whose close() carries out a held close request.
    explicit InputHoldBack(QWidget &window);

    // Runs `action` as a mode, or, while another mode runs, once that one and
    // everything queued before has been handled. `afterMode` runs after each.
    void runInTurn(std::function<void()> action);
    void setAfterMode(std::function<void()> afterMode) { m_afterMode = std::move(afterMode); }

    bool modeRunning() const { return m_modeRunning; }

    // For the window's close handling: whether the window may close now.
    // When it may not, a close requested while a mode runs or input waits is
    // held for its turn, and one requested while a box is open is refused
    // (the box comes to the front), as for any window under a modal box.
    bool allowsCloseNow();
    // The window has accepted its close: drops whatever waits and stops holding.
    void closeDown();

    // How many input events and actions are waiting.
    std::size_t waiting() const { return m_queue.size(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The top-level widget that `window` shows, if it is one of the main
    // window's own (the window itself, its dialogs, its menus).
    QWidget *ownTopLevel(const QObject *window) const;
    // The box the running mode waits in, if it waits in one.
    QWidget *modeBox() const;
    bool computing() const;
    bool holding() const;
    // Whether the mode's box keeps input from `topLevel`.
    bool boxBlocks(const QWidget *topLevel) const;
    void bringBoxForward();

    void hold(Held held);
    void scheduleReplay();
    void replayNext();
    // The widget that has the keyboard now, for a key typed in `typedIn`.
    QWidget *keyboardOwner(QWindow *typedIn);
    void replay(const HeldKey &key);
    void replay(const HeldMouse &mouse);
    void replay(const HeldContextMenu &request);

    QWidget &m_window;
    QPointer<QWidget> m_box;
    std::function<void()> m_afterMode;
    std::deque<Held> m_queue;
    std::optional<HeldMouse> m_lastReplayedPress; // for double clicks
    bool m_shortcutKeyRepeats = false;            // the key now seeking a shortcut is held down
    bool m_replayScheduled = false;
    bool m_modeRunning = false;
    bool m_replaying = false;
    bool m_closed = false;
};
