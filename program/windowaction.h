// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QString>

#include <functional>

class QWidget;

// Gives `window` an action of its own, found by `name`: its shortcut works
// wherever the window has the focus, a held key acts once, not again and
// again, and triggering it calls `act`. The window owns the action; a menu
// or a child widget may show it too.
QAction *addWindowAction(QWidget *window, const QString &text, const QKeySequence &shortcut, const char *name,
                         const std::function<void()> &act);
