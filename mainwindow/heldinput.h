// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QPointer>
#include <QWindow>

#include <functional>
#include <memory>
#include <variant>

// A copy of the user's input, taken where it first reaches one of the
// program's windows, and handed on later as the same Qt event, sent where
// the window system's event would have gone at that later moment.
class HeldEvent
{
public:
    HeldEvent(QWindow *window, const QEvent &event);

    QWindow *window() const { return m_window; }
    QEvent::Type type() const { return m_type; }

    // Sends the copy to `receiver`: a key to the widget that has the keyboard
    // (a press sent to a widget meets the shortcuts first, as a typed key
    // does); a click or a menu request to its window, which places it on the
    // widget under the pointer and gives that widget the focus as a click does.
    void sendTo(QObject *receiver) const;

private:
    QPointer<QWindow> m_window;
    QEvent::Type m_type;
    std::shared_ptr<QEvent> m_event; // a key or a menu request, copied whole
    // A click is made anew when it is handed on: the points of a mouse
    // event belong to the pointing device, and later events move them.
    QPointF m_globalPosition;
    Qt::MouseButton m_button = Qt::NoButton;
    Qt::MouseButtons m_buttons;
    Qt::KeyboardModifiers m_modifiers;
    quint64 m_timestamp = 0;
};

// A held event, or an action (a mode to start, a close) that waits its turn.
using HeldAction = std::function<void()>;
using Held = std::variant<HeldEvent, HeldAction>;
