// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/inputholdback.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QShortcutEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// Qt GUI's entry points for input that is to go the whole way a window
// system's input goes: shortcuts, modality, focus, the implicit mouse grab
// and double clicks. Qt exports them for its test library, which declares
// them just so.
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow *window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                                    const QString &text, bool autoRepeat, ushort count);
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow *window, const QPointF &local, const QPointF &global,
                                      Qt::MouseButtons buttons, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers modifiers, int timestamp);

namespace {

// How long a held key waits for the window it goes to to take the keyboard
// (a dialog just opened is activated by the window manager a moment later).
constexpr qint64 kActivationWaitMs = 500;
constexpr int kActivationPollMs = 5;

} // namespace

InputHoldBack::InputHoldBack(QWidget &window) : QObject(&window), m_window(window)
{
    qApp->installEventFilter(this);
}

void InputHoldBack::runInTurn(std::function<void()> action)
{
    if (m_closed)
        return;
    // Something started from inside a running mode (not by input, which is
    // held back before it gets that far) waits for the mode to end.
    if (m_modeRunning) {
        hold(std::move(action));
        return;
    }
    {
        const QScopedValueRollback<bool> running(m_modeRunning, true);
        // Input that arrives while this mode runs is live, even when the mode
        // was started by replayed input.
        const QScopedValueRollback<bool> live(m_replaying, false);
        action();
        if (m_afterMode && !m_closed)
            m_afterMode();
    }
    scheduleReplay();
}

QWidget *InputHoldBack::modeBox() const
{
    return m_modeRunning && m_box && m_box->isVisible() ? m_box.data() : nullptr;
}

bool InputHoldBack::computing() const
{
    // A mode that waits in a box of its own (the fraction's input box) takes
    // input through that box.
    return m_modeRunning && !modeBox();
}

bool InputHoldBack::holding() const
{
    return !m_closed && !m_replaying && (computing() || !m_queue.empty());
}

bool InputHoldBack::outsideTheBox(QObject *window) const
{
    const QWidget *box = modeBox();
    return box && !m_replaying && !m_closed && window != box->windowHandle()
        && static_cast<QWindow *>(window)->type() != Qt::Popup;
}

bool InputHoldBack::closeMustWait() const
{
    return !m_closed && (m_modeRunning || (!m_replaying && !m_queue.empty()));
}

void InputHoldBack::holdClose()
{
    hold(HeldClose{});
}

void InputHoldBack::closeDown()
{
    m_closed = true;
    m_queue.clear();
}

void InputHoldBack::hold(Held held)
{
    m_queue.push_back(std::move(held));
    scheduleReplay();
}

void InputHoldBack::scheduleReplay(int delayMs)
{
    // One call at a time, each a fresh posted call rather than a repeating
    // timer: a replayed action may open a dialog, and the dialog's own event
    // loop must be able to go on replaying into it, which Qt does not allow
    // a timer whose previous timeout is still being handled.
    if (m_replayScheduled || m_closed || m_queue.empty())
        return;
    m_replayScheduled = true;
    QTimer::singleShot(delayMs, this, &InputHoldBack::replayNext);
}

bool InputHoldBack::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        // An accelerator clicks its button on the key press itself.
        if (auto *button = qobject_cast<QAbstractButton *>(watched)) {
            if (!static_cast<QShortcutEvent *>(event)->isAmbiguous()) {
                button->click();
                return true;
            }
        }
        break;
    case QEvent::ShortcutOverride:
        // A held key must not fire a shortcut now; it is taken as a key press
        // next, and its shortcut fires when the copy is replayed.
        if (holding()) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Input reaches a window before any widget, so it is taken there.
        // Keys for another window while a mode's box is open were typed
        // before the window manager moved the keyboard to the box: they
        // are the box's.
        if (watched->isWindowType() && (holding() || outsideTheBox(watched))) {
            const auto *key = static_cast<QKeyEvent *>(event);
            hold(HeldKey{static_cast<QWindow *>(watched), key->type(), key->key(), key->modifiers(), key->text(),
                         key->isAutoRepeat(), static_cast<ushort>(key->count())});
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // While a mode's box is open, a click outside it does nothing.
        if (watched->isWindowType() && outsideTheBox(watched))
            return true;
        if (watched->isWindowType() && holding()) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            hold(HeldMouse{static_cast<QWindow *>(watched), mouse->type(), mouse->globalPosition(), mouse->button(),
                           mouse->buttons(), mouse->modifiers(), mouse->timestamp()});
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        // A replayed press makes its own double click; the wheel does
        // nothing in this program, so a turn made during a run is dropped.
        if (watched->isWindowType() && (holding() || outsideTheBox(watched)))
            return true;
        break;
    case QEvent::Show:
        // A box that the running mode opens (the fraction's input box) takes
        // the keys held for it: the replay goes on into the box.
        if (m_modeRunning && qobject_cast<QDialog *>(watched) && static_cast<QWidget *>(watched)->isWindow()) {
            m_box = static_cast<QWidget *>(watched);
            scheduleReplay();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void InputHoldBack::replayNext()
{
    m_replayScheduled = false;
    if (m_closed || m_queue.empty())
        return;
    if (computing())
        return; // the mode's end starts the replay again

    if (const auto *key = std::get_if<HeldKey>(&m_queue.front())) {
        QWindow *target = keyTarget(*key);
        if (target && target != QGuiApplication::focusWindow()) {
            // Let the window system give the keyboard to the window first, as
            // it would before the live key reached it.
            if (!m_waitingForActivation.isValid())
                m_waitingForActivation.start();
            if (!m_waitingForActivation.hasExpired(kActivationWaitMs)) {
                scheduleReplay(kActivationPollMs);
                return;
            }
        }
        m_waitingForActivation.invalidate();
        const HeldKey held = *key;
        m_queue.pop_front();
        scheduleReplay();
        if (target)
            replay(held, target);
        return;
    }

    Held held = std::move(m_queue.front());
    m_queue.pop_front();
    scheduleReplay();
    if (const auto *mouse = std::get_if<HeldMouse>(&held)) {
        // A click given before the box opened lands outside it: it does nothing.
        if (!modeBox() || (mouse->window && mouse->window == modeBox()->windowHandle()))
            replay(*mouse);
    } else if (std::holds_alternative<HeldClose>(held)) {
        const QScopedValueRollback<bool> replaying(m_replaying, true);
        m_window.close();
    } else if (const auto *action = std::get_if<HeldAction>(&held)) {
        runInTurn(*action);
    }
}

QWindow *InputHoldBack::keyTarget(const HeldKey &key) const
{
    // A box of the running mode, or a modal dialog, takes every key;
    // otherwise the key goes where it was typed.
    if (QWidget *box = modeBox())
        return box->windowHandle();
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal->windowHandle();
    if (key.window && key.window->isVisible())
        return key.window;
    return nullptr;
}

void InputHoldBack::replay(const HeldKey &key, QWindow *target)
{
    const QScopedValueRollback<bool> replaying(m_replaying, true);
    qt_handleKeyEvent(target, key.type, key.key, key.modifiers, key.text, key.autoRepeat, key.count);
}

void InputHoldBack::replay(const HeldMouse &mouse)
{
    if (!mouse.window || !mouse.window->isVisible())
        return;
    const QScopedValueRollback<bool> replaying(m_replaying, true);
    qt_handleMouseEvent(mouse.window, mouse.window->mapFromGlobal(mouse.globalPosition), mouse.globalPosition,
                        mouse.buttons, mouse.button, mouse.type, mouse.modifiers, static_cast<int>(mouse.timestamp));
}
