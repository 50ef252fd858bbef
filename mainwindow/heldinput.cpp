// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/heldinput.h"

#include <QCoreApplication>
#include <QMouseEvent>

HeldEvent::HeldEvent(QWindow *window, const QEvent &event) : m_window(window), m_type(event.type())
{
    if (const auto *mouse = dynamic_cast<const QMouseEvent *>(&event)) {
        m_globalPosition = mouse->globalPosition();
        m_button = mouse->button();
        m_buttons = mouse->buttons();
        m_modifiers = mouse->modifiers();
        m_timestamp = mouse->timestamp();
    } else {
        m_event.reset(event.clone());
    }
}

void HeldEvent::sendTo(QObject *receiver) const
{
    if (m_event) {
        m_event->setAccepted(true); // as fresh from the window system
        QCoreApplication::sendEvent(receiver, m_event.get());
        return;
    }
    const QPointF local = m_window->mapFromGlobal(m_globalPosition);
    QMouseEvent click(m_type, local, local, m_globalPosition, m_button, m_buttons, m_modifiers);
    click.setTimestamp(m_timestamp);
    QCoreApplication::sendEvent(receiver, &click);
}
