// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/accelerators.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcutEvent>
#include <QWindow>

namespace {

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

QWidget *ownTopLevel(const QObject *windowHandle, const QWidget &owner)
{
    if (!windowHandle)
        return nullptr;
    const QList<QWidget *> topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (topLevel->windowHandle() != windowHandle)
            continue;
        for (const QWidget *widget = topLevel; widget; widget = widget->parentWidget()) {
            if (widget == &owner)
                return topLevel;
        }
        return nullptr;
    }
    return nullptr;
}

void makeActive(QWidget *window)
{
    if (!window || QApplication::activeWindow() == window || QApplication::activePopupWidget())
        return;
    QApplication::setActiveWindow(window);
    window->activateWindow();
}

Accelerators::Accelerators(QWidget &window) : QObject(&window), m_window(window)
{
    qApp->installEventFilter(this);
}

bool Accelerators::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        m_keyRepeats = static_cast<QKeyEvent *>(event)->isAutoRepeat();
        if (watched->isWindowType())
            makeActive(ownTopLevel(watched, m_window));
        break;
    case QEvent::Shortcut:
        if (auto *button = qobject_cast<QAbstractButton *>(watched)) {
            if (static_cast<QShortcutEvent *>(event)->isAmbiguous())
                break;
            if (!m_keyRepeats) {
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
        if (typesAnAltLetter(*key) && isInADialog(watched))
            return true;
        if (key->isAutoRepeat() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && qobject_cast<QPushButton *>(watched))
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
