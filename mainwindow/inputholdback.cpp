// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/inputholdback.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcutEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Makes `window` the active window at once, so that the keys handed to it
// find its shortcuts (which answer only in the active window), and asks the
// window system to follow, so that the keys typed next go there too.
void makeActive(QWidget *window)
{
    if (!window || QApplication::activeWindow() == window || QApplication::activePopupWidget())
        return;
    QApplication::setActiveWindow(window);
    window->activateWindow();
}

// Alt with a letter is an accelerator; where no accelerator takes it (in a
// dialog's entry field, say) it must not type the letter either. AltGr,
// which types letters, arrives as Ctrl+Alt on some systems and is let through.
bool typesAnAltLetter(const QKeyEvent &key)
{
    return key.type() == QEvent::KeyPress && (key.modifiers() & Qt::AltModifier)
        && !(key.modifiers() & Qt::ControlModifier) && !key.text().isEmpty() && key.text().at(0).isPrint();
}

bool isInADialog(const QObject *object)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    return widget && qobject_cast<const QDialog *>(widget->window());
}

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
        m_box = nullptr;
        if (m_afterMode && !m_closed)
            m_afterMode();
    }
    scheduleReplay();
}

QWidget *InputHoldBack::ownTopLevel(const QObject *window) const
{
    if (!window)
        return nullptr;
    const QList<QWidget *> topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (topLevel->windowHandle() != window)
            continue;
        for (const QWidget *widget = topLevel; widget; widget = widget->parentWidget()) {
            if (widget == &m_window)
                return topLevel;
        }
        return nullptr;
    }
    return nullptr;
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
    if (modeBox() || (QApplication::activeModalWidget() && ownTopLevel(QApplication::activeModalWidget()->windowHandle()))) {
        bringBoxForward();
        return false;
    }
    if (m_modeRunning || (!m_replaying && !m_queue.empty())) {
        hold(HeldClose{});
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
    // One call at a time, each a fresh posted call rather than a repeating
    // timer: a replayed action may open a dialog, and the dialog's own event
    // loop must be able to go on replaying into it, which Qt does not allow
    // a timer whose previous timeout is still being handled.
    if (m_replayScheduled || m_closed || m_queue.empty())
        return;
    m_replayScheduled = true;
    QTimer::singleShot(0, this, &InputHoldBack::replayNext);
}

bool InputHoldBack::eventFilter(QObject *watched, QEvent *event)
{
    const bool atAWindow = watched->isWindowType();
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        m_shortcutKeyRepeats = static_cast<QKeyEvent *>(event)->isAutoRepeat();
        if (atAWindow) {
            QWidget *topLevel = ownTopLevel(watched);
            if (!topLevel)
                break;
            // A held key must not fire a shortcut now; it is taken as a key
            // press next, and its shortcut fires when the copy is handed on.
            if (holding() || (!m_replaying && boxBlocks(topLevel))) {
                event->accept();
                return true;
            }
            // A key sent to a window that is not the active one (on-screen
            // keyboards and automation tools send them so) finds the
            // window's shortcuts, as a key typed there does.
            makeActive(topLevel);
        }
        break;
    case QEvent::Shortcut:
        if (auto *button = qobject_cast<QAbstractButton *>(watched)) {
            if (static_cast<QShortcutEvent *>(event)->isAmbiguous())
                break;
            // An accelerator does what a click does, on its key press. Held
            // down, it repeats its key: those repeats do nothing.
            if (!m_shortcutKeyRepeats) {
                if (button->focusPolicy() & Qt::ClickFocus)
                    button->setFocus(Qt::ShortcutFocusReason);
                button->click();
            }
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (atAWindow) {
            // Input reaches a window before any widget, so it is taken there.
            QWidget *topLevel = ownTopLevel(watched);
            if (topLevel && (holding() || (!m_replaying && boxBlocks(topLevel)))) {
                hold(HeldKey::of(static_cast<QWindow *>(watched), *key));
                return true;
            }
        } else if (typesAnAltLetter(*key) && isInADialog(watched)) {
            return true;
        } else if (key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                   && qobject_cast<QPushButton *>(watched)) {
            // Enter held on a button presses it once, as Space does.
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        QWidget *topLevel = atAWindow ? ownTopLevel(watched) : nullptr;
        if (!topLevel || m_replaying)
            break;
        if (boxBlocks(topLevel)) {
            if (event->type() == QEvent::MouseButtonPress)
                bringBoxForward();
            return true;
        }
        if (holding()) {
            hold(HeldMouse::of(static_cast<QWindow *>(watched), *static_cast<QMouseEvent *>(event)));
            return true;
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: {
        // A held press makes its own double click when it is handed on; the
        // wheel does nothing in the main window, so a turn made during a run
        // is dropped.
        QWidget *topLevel = atAWindow ? ownTopLevel(watched) : nullptr;
        if (topLevel && !m_replaying && (holding() || boxBlocks(topLevel)))
            return true;
        break;
    }
    case QEvent::ContextMenu: {
        // The Menu key's own menu request (the window system sends one beside
        // the key) must not open a menu in the middle of a run either.
        QWidget *topLevel = atAWindow ? ownTopLevel(watched) : nullptr;
        if (!topLevel || m_replaying)
            break;
        if (boxBlocks(topLevel))
            return true;
        if (holding()) {
            hold(HeldContextMenu::of(static_cast<QWindow *>(watched), *static_cast<QContextMenuEvent *>(event)));
            return true;
        }
        break;
    }
    case QEvent::Show:
        // The first dialog the running mode opens is its box, and takes the
        // keys held for it: the replay goes on into the box.
        if (m_modeRunning && !modeBox() && qobject_cast<QDialog *>(watched)) {
            auto *dialog = static_cast<QWidget *>(watched);
            if (dialog->isWindow() && ownTopLevel(dialog->windowHandle())) {
                m_box = dialog;
                scheduleReplay();
            }
        }
        break;
    case QEvent::WindowActivate:
        // The window clicked or switched to while the box is open hands the
        // keyboard back to the box.
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow() && boxBlocks(widget)
            && ownTopLevel(widget->windowHandle())) {
            bringBoxForward();
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

    Held held = std::move(m_queue.front());
    m_queue.pop_front();
    scheduleReplay();
    if (const auto *key = std::get_if<HeldKey>(&held)) {
        replay(*key);
    } else if (const auto *mouse = std::get_if<HeldMouse>(&held)) {
        replay(*mouse);
    } else if (const auto *request = std::get_if<HeldContextMenu>(&held)) {
        replay(*request);
    } else if (std::holds_alternative<HeldClose>(held)) {
        const QScopedValueRollback<bool> replaying(m_replaying, true);
        m_window.close();
    } else if (const auto *action = std::get_if<HeldAction>(&held)) {
        runInTurn(*action);
    }
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
    if (window && !ownTopLevel(window->windowHandle()))
        window = nullptr;
    if (!window)
        window = modeBox();
    if (!window) {
        window = ownTopLevel(typedIn);
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

void InputHoldBack::replay(const HeldKey &key)
{
    QWidget *receiver = keyboardOwner(key.window);
    if (!receiver)
        return;
    const QScopedValueRollback<bool> replaying(m_replaying, true);
    key.sendTo(receiver);
}

void InputHoldBack::replay(const HeldMouse &mouse)
{
    // A click given before the box opened lands outside it: it does nothing.
    if (!mouse.window || !mouse.window->isVisible() || boxBlocks(ownTopLevel(mouse.window)))
        return;
    // A second press soon after the first makes a double click, as the
    // window system's would: the press (which the release that follows
    // belongs to), then the double click.
    bool doubleClick = false;
    if (mouse.type == QEvent::MouseButtonPress) {
        doubleClick = m_lastReplayedPress && mouse.makesDoubleClickAfter(*m_lastReplayedPress);
        if (doubleClick)
            m_lastReplayedPress.reset();
        else
            m_lastReplayedPress = mouse;
    }
    const QScopedValueRollback<bool> replaying(m_replaying, true);
    mouse.sendAs(mouse.type);
    if (doubleClick && mouse.window)
        mouse.sendAs(QEvent::MouseButtonDblClick);
}

void InputHoldBack::replay(const HeldContextMenu &request)
{
    if (!request.window || !request.window->isVisible() || boxBlocks(ownTopLevel(request.window)))
        return;
    const QScopedValueRollback<bool> replaying(m_replaying, true);
    request.send();
}
