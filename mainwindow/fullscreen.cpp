// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/fullscreen.h"

#include <QAction>
#include <QEvent>
#include <QWidget>

FullScreenToggle *FullScreenToggle::install(QWidget &window, std::function<bool()> escapeMayLeave)
{
    return new FullScreenToggle(window, std::move(escapeMayLeave));
}

FullScreenToggle::FullScreenToggle(QWidget &window, std::function<bool()> escapeMayLeave)
    : QObject(&window)
    , m_window(window)
    , m_escapeMayLeave(std::move(escapeMayLeave))
{
    auto *toggle = new QAction(tr("&Full Screen"), &window);
    toggle->setObjectName(QStringLiteral("actFullScreen"));
    // Held down, F11 toggles once, not on and off with the key's repeats.
    toggle->setAutoRepeat(false);
    toggle->setShortcut(Qt::Key_F11);
    connect(toggle, &QAction::triggered, this, &FullScreenToggle::toggle);

    // Enabled only while full screen, so that otherwise Esc reaches the
    // window's controls as before.
    m_leave = new QAction(tr("Leave Full Screen"), &window);
    m_leave->setObjectName(QStringLiteral("actLeaveFullScreen"));
    m_leave->setAutoRepeat(false);
    m_leave->setShortcut(Qt::Key_Escape);
    m_leave->setEnabled(window.isFullScreen());
    connect(m_leave, &QAction::triggered, this, [this] {
        if (m_window.isFullScreen() && (!m_escapeMayLeave || m_escapeMayLeave()))
            this->toggle();
    });

    window.addActions({toggle, m_leave});
    window.installEventFilter(this);
}

void FullScreenToggle::toggle()
{
    // Only the full-screen flag changes: leaving gives back a maximised
    // window maximised.
    m_window.setWindowState(m_window.windowState() ^ Qt::WindowFullScreen);
}

bool FullScreenToggle::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::WindowStateChange)
        m_leave->setEnabled(m_window.isFullScreen());
    return QObject::eventFilter(watched, event);
}
