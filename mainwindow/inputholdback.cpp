// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/inputholdback.h"

#include "mainwindow/accelerators.h"

#include <QApplication>
#include <QDialog>
#include <QScopedValueRollback>
#include <QTimer>

InputHoldBack::InputHoldBack(QWidget &window) : QObject(&window), m_window(window)
{
    qApp->installEventFilter(this);
}

void InputHoldBack::runInTurn(std::function<ModeTask()> start)
{
    if (m_closed)
        return;
    // Input is held back before it gets this far while a mode runs: a mode
    // started otherwise (by a timer, say) waits its turn.
    if (m_modeRunning) {
        hold([this, start = std::move(start)] { runInTurn(start); });
        return;
    }
    m_modeRunning = true;
    {
        // Input that arrives while this mode runs is live, even when the mode
        // was started by replayed input.
        const QScopedValueRollback<bool> live(m_replaying, false);
        m_mode = start();
    }
    m_mode.whenDone([this] { modeEnded(); });
}

void InputHoldBack::modeEnded()
{
    // Called from the mode's own end: its frame (its locals are gone already)
    // stays until the next mode replaces it.
    m_modeRunning = false;
    m_box = nullptr;
    if (m_afterMode && !m_closed)
        m_afterMode();
    scheduleReplay();
}

void InputHoldBack::stopMode()
{
    m_mode = ModeTask();
    m_modeRunning = false;
}

void InputHoldBack::whenIdle(std::function<void()> action)
{
    if (m_closed)
        return;
    if (m_modeRunning)
        hold(std::move(action));
    else
        action();
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

bool InputHoldBack::boxBlocks(const QWidget *topLevel) const
{
    const QWidget *box = modeBox();
    if (!box || m_closed || !topLevel || topLevel->windowType() == Qt::Popup)
        return false;
    // The box's own dialogs and menus are part of it.
    for (const QWidget *widget = topLevel; widget; widget = widget->parentWidget()) {
        if (widget == box)
            return false;
    }
    return true;
}

void InputHoldBack::bringBoxForward()
{
    // Posted: the window manager may still be busy activating the window
    // that was clicked.
    if (QWidget *box = modeBox()) {
        QTimer::singleShot(0, box, [box] {
            box->raise();
            box->activateWindow();
        });
    }
}

bool InputHoldBack::allowsCloseNow()
{
    if (m_closed)
        return true;
    const QWidget *modal = QApplication::activeModalWidget();
    if (modeBox() || (modal && ownTopLevel(modal->windowHandle(), m_window))) {
        bringBoxForward();
        return false;
    }
    if (m_modeRunning || (!m_replaying && !m_queue.empty())) {
        hold([this] {
            const QScopedValueRollback<bool> replaying(m_replaying, true);
            m_window.close();
        });
        return false;
    }
    return true;
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

void InputHoldBack::scheduleReplay()
{
    // One copy at a time, each from the event loop, so that what one
    // replayed copy opens (a menu, a dialog) is in place for the next.
    if (m_replayScheduled || m_closed || m_queue.empty())
        return;
    m_replayScheduled = true;
    QTimer::singleShot(0, this, &InputHoldBack::replayNext);
}

bool InputHoldBack::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        // Input reaches a window before any widget, so it is taken there.
        return watched->isWindowType() && keepsBack(static_cast<QWindow *>(watched), event);
    case QEvent::Show:
        // The first dialog the running mode opens is its box, and takes the
        // keys held for it: the replay goes on into the box.
        if (m_modeRunning && !modeBox() && qobject_cast<QDialog *>(watched)) {
            auto *dialog = static_cast<QWidget *>(watched);
            if (dialog->isWindow() && ownTopLevel(dialog->windowHandle(), m_window)) {
                m_box = dialog;
                scheduleReplay();
            }
        }
        break;
    case QEvent::WindowActivate:
        // The window clicked or switched to while the box is open hands the
        // keyboard back to the box.
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow() && boxBlocks(widget)
            && ownTopLevel(widget->windowHandle(), m_window)) {
            bringBoxForward();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool InputHoldBack::keepsBack(QWindow *window, QEvent *event)
{
    QWidget *topLevel = ownTopLevel(window, m_window);
    if (!topLevel || m_replaying || !(holding() || boxBlocks(topLevel)))
        return false;
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A held key must not fire a shortcut now; it is taken as a key
        // press next, and its shortcut fires when the copy is handed on.
        event->accept();
        break;
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        // The second press of a double click is held as a press: the
        // window's buttons and canvas take a double click as a second press
        // anyway. The wheel does nothing in the main window, so a turn made
        // now is dropped.
        break;
    default:
        // Keys typed at the window while the box is open are the box's; a
        // click or a menu request there (the Menu key's own, which the window
        // system sends beside the key) does nothing but bring the box forward.
        if (isKey || !boxBlocks(topLevel))
            hold(HeldEvent(window, *event));
        else if (event->type() == QEvent::MouseButtonPress)
            bringBoxForward();
        break;
    }
    return true;
}

void InputHoldBack::replayNext()
{
    m_replayScheduled = false;
    if (m_closed || m_queue.empty())
        return;
    if (computing())
        return; // the mode's end starts the replay again

    Held held = std::move(m_queue.front());
    m_queue.pop_front();
    scheduleReplay();
    if (const auto *input = std::get_if<HeldEvent>(&held))
        replay(*input);
    else
        std::get<HeldAction>(held)();
}

QWidget *InputHoldBack::keyboardOwner(QWindow *typedIn)
{
    // As the window system routes a key: a grab or an open menu first, then
    // a modal dialog or the mode's box; else the window the key was typed
    // in, or, when that has closed since, the window that is active now.
    if (QWidget *grabber = QWidget::keyboardGrabber())
        return grabber;
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    // A modal dialog of another window (the Explorer's) does not take the
    // main window's keys.
    QWidget *window = QApplication::activeModalWidget();
    if (window && !ownTopLevel(window->windowHandle(), m_window))
        window = nullptr;
    if (!window)
        window = modeBox();
    if (!window) {
        window = ownTopLevel(typedIn, m_window);
        if (window && !window->isVisible())
            window = nullptr;
    }
    if (!window)
        window = QApplication::activeWindow();
    if (!window && m_window.isVisible())
        window = &m_window;
    if (!window)
        return nullptr;
    makeActive(window);
    return window->focusWidget() ? window->focusWidget() : window;
}

void InputHoldBack::replay(const HeldEvent &input)
{
    const QScopedValueRollback<bool> replaying(m_replaying, true);
    if (input.type() == QEvent::KeyPress || input.type() == QEvent::KeyRelease) {
        if (QWidget *receiver = keyboardOwner(input.window()))
            input.sendTo(receiver);
        return;
    }
    // A click or menu request given before the box opened lands outside it:
    // it does nothing.
    QWindow *window = input.window();
    if (!window || !window->isVisible() || boxBlocks(ownTopLevel(window, m_window)))
        return;
    input.sendTo(window);
}
