// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// How the main window's keys press its buttons, whether typed live or handed
// on after a mode:
// - an accelerator moves the focus to its button and clicks it at once, on
//   the key press, instead of after the toolkit's animated click, so input
//   given right after one cannot overtake it; held down, it clicks once;
// - Enter held on a focused button presses it once, as Space does;
// - Alt with a letter that no accelerator takes types nothing in a dialog;
// - a key sent to one of the window's windows that is not the active one
//   (on-screen keyboards and automation tools send them so) finds that
//   window's shortcuts, as a key typed there does.
class Accelerators : public QObject
{
    Q_OBJECT

public:
    explicit Accelerators(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    bool m_keyRepeats = false; // the key now seeking a shortcut is held down
};

// The top-level widget that `windowHandle` shows, if it is `owner` or one of
// its own windows (its dialogs, its menus).
QWidget *ownTopLevel(const QObject *windowHandle, const QWidget &owner);

// Makes `window` the active window at once, so that the keys handed to it
// find its shortcuts (which answer only in the active window), and asks the
// window system to follow, so that the keys typed next go there too.
void makeActive(QWidget *window);
