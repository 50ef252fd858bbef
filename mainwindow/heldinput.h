// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <functional>
#include <variant>

class QContextMenuEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;
class QWindow;

// Copies of the user's input, taken where it first reaches one of the
// program's windows, and handed on later as ordinary Qt events: each copy is
// rebuilt with everything the original carried and sent where the window
// system's event would have gone at that later moment.

struct HeldKey
{
    static HeldKey of(QWindow *window, const QKeyEvent &event);

    // Sends the key to `receiver`, the widget that has the keyboard. A press
    // sent to a widget meets the shortcuts first, as a typed key does.
    void sendTo(QWidget *receiver) const;

    QPointer<QWindow> window; // where it was typed
    QEvent::Type type;
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 nativeScanCode;
    quint32 nativeVirtualKey;
    quint32 nativeModifiers;
    QString text;
    bool autoRepeat;
    quint16 count;
};

struct HeldMouse
{
    static HeldMouse of(QWindow *window, const QMouseEvent &event);

    // Sends the click to its window at the place the pointer was, as `type`
    // (its own, or a double click made of a second press).
    void sendAs(QEvent::Type type) const;
    // Whether this press, following `earlier`, makes a double click.
    bool makesDoubleClickAfter(const HeldMouse &earlier) const;

    QPointer<QWindow> window;
    QEvent::Type type;
    QPointF globalPosition;
    Qt::MouseButton button;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    quint64 timestamp;
};

// A request for a context menu that does not come from a click: the Menu
// key (which some window systems turn into a menu request of their own) or
// Shift+F10.
struct HeldContextMenu
{
    static HeldContextMenu of(QWindow *window, const QContextMenuEvent &event);
    void send() const;

    QPointer<QWindow> window;
    int reason;
    QPoint position;
    QPoint globalPosition;
    Qt::KeyboardModifiers modifiers;
};

struct HeldClose
{
};

using HeldAction = std::function<void()>;
using Held = std::variant<HeldKey, HeldMouse, HeldContextMenu, HeldClose, HeldAction>;
