// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/windowaction.h"

#include <QWidget>

QAction *addWindowAction(QWidget *window, const QString &text, const QKeySequence &shortcut, const char *name,
                         const std::function<void()> &act)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setAutoRepeat(false);
    QObject::connect(action, &QAction::triggered, window, act);
    window->addAction(action);
    return action;
}
