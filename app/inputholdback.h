// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QString>

#include <deque>
#include <functional>
#include <variant>

class QKeyEvent;
class QMouseEvent;
class QWidget;
class QWindow;

// Runs the main window's modes one at a time and holds the user's input
// back while one runs, then hands it on in the order it was given.
//
// A mode runs to its end inside the action that started it. The window stays
// alive meanwhile because the canvas lets Qt handle events whenever it shows
// its picture; every key press, key release and mouse click that arrives
// then is taken as it arrives, kept as a copy and swallowed, so nothing
// depends on the window system keeping it queued. Once the mode has ended
// the copies are fed back, one at a time, through Qt's own input path: keys
// to the window that takes the keyboard now (so a dialog that an earlier
// copy opened receives the keys typed after it), clicks at their position.
// Shortcuts, focus and modality then work exactly as for the live input.
// While copies wait, newer input queues behind them.
//
// A close request made while a mode runs, or while input waits, takes its
// turn like the rest; when it is carried out, everything behind it is
// dropped. Nothing runs on the window once it has accepted its close.
//
// A mode may wait in a box of its own (a dialog it shows without making it
// modal): keys given while it is open go to the box, even those that reached
// the window below before the window manager gave the box the keyboard,
// which a modal box would lose; clicks outside the box do nothing.
//
// Button accelerators click at once, on the key press, instead of after the
// toolkit's animated click, so input given right after one cannot overtake it.
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

    // For the window's close handling: whether a close request made now must
    // wait its turn. When it must, the caller ignores the close and calls holdClose().
    bool closeMustWait() const;
    void holdClose();
    // The window has accepted its close: drops whatever waits and stops holding.
    void closeDown();

    // How many input events and actions are waiting.
    std::size_t waiting() const { return m_queue.size(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct HeldKey
    {
        QPointer<QWindow> window;
        QEvent::Type type;
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool autoRepeat;
        ushort count;
    };
    struct HeldMouse
    {
        QPointer<QWindow> window;
        QEvent::Type type;
        QPointF globalPosition;
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        ulong timestamp;
    };
    struct HeldClose
    {
    };
    using HeldAction = std::function<void()>;
    using Held = std::variant<HeldKey, HeldMouse, HeldClose, HeldAction>;

    // The box the running mode waits in, if it waits in one.
    QWidget *modeBox() const;
    bool computing() const;
    bool outsideTheBox(QObject *window) const;
    bool holding() const;
    void hold(Held held);
    void scheduleReplay(int delayMs = 0);
    void replayNext();
    // The window a held key goes to now; null when it has nowhere to go.
    QWindow *keyTarget(const HeldKey &key) const;
    void replay(const HeldKey &key, QWindow *target);
    void replay(const HeldMouse &mouse);

    QWidget &m_window;
    QPointer<QWidget> m_box;
    std::function<void()> m_afterMode;
    std::deque<Held> m_queue;
    QElapsedTimer m_waitingForActivation;
    bool m_replayScheduled = false;
    bool m_modeRunning = false;
    bool m_replaying = false;
    bool m_closed = false;
};
