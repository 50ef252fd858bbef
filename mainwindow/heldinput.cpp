// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/heldinput.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

HeldKey HeldKey::of(QWindow *window, const QKeyEvent &event)
{
    return {window,
            event.type(),
            event.key(),
            event.modifiers(),
            event.nativeScanCode(),
            event.nativeVirtualKey(),
            event.nativeModifiers(),
            event.text(),
            event.isAutoRepeat(),
            static_cast<quint16>(event.count())};
}

void HeldKey::sendTo(QWidget *receiver) const
{
    QKeyEvent event(type, key, modifiers, nativeScanCode, nativeVirtualKey, nativeModifiers, text, autoRepeat,
                    count);
    QCoreApplication::sendEvent(receiver, &event);
}

HeldMouse HeldMouse::of(QWindow *window, const QMouseEvent &event)
{
    return {window,         event.type(),      event.globalPosition(), event.button(),
            event.buttons(), event.modifiers(), event.timestamp()};
}

void HeldMouse::sendAs(QEvent::Type asType) const
{
    // The window places the click on the widget under it, gives that widget
    // the focus as a click does, and keeps the button's press and release
    // together, as for a click from the window system.
    const QPointF local = window->mapFromGlobal(globalPosition);
    QMouseEvent event(asType, local, local, globalPosition, button, buttons, modifiers);
    event.setTimestamp(timestamp);
    QCoreApplication::sendEvent(window, &event);
}

bool HeldMouse::makesDoubleClickAfter(const HeldMouse &earlier) const
{
    const QStyleHints *hints = QGuiApplication::styleHints();
    return type == QEvent::MouseButtonPress && earlier.type == QEvent::MouseButtonPress && button == earlier.button
        && window == earlier.window && timestamp >= earlier.timestamp
        && timestamp - earlier.timestamp < quint64(hints->mouseDoubleClickInterval())
        && QLineF(globalPosition, earlier.globalPosition).length() <= hints->mouseDoubleClickDistance();
}

HeldContextMenu HeldContextMenu::of(QWindow *window, const QContextMenuEvent &event)
{
    return {window, event.reason(), event.pos(), event.globalPos(), event.modifiers()};
}

void HeldContextMenu::send() const
{
    QContextMenuEvent event(static_cast<QContextMenuEvent::Reason>(reason), position, globalPosition, modifiers);
    QCoreApplication::sendEvent(window, &event);
}
