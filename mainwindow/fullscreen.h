// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QAction;
class QWidget;

// Full screen for a top-level window, for the projector: F11 shows the
// window on the whole screen, without its title bar and above the
// desktop's panels, and F11 again gives it back the state it had
// (maximised, say). A window whose layout scales to its client area fills
// the screen with it. While the window is full screen, Esc leaves full
// screen as well, when `escapeMayLeave` allows it; Esc does nothing new
// otherwise.
//
// Installed on a window, it lives as long as the window does:
//     FullScreenToggle::install(window);
class FullScreenToggle : public QObject
{
    Q_OBJECT

public:
    static FullScreenToggle *install(QWidget &window, std::function<bool()> escapeMayLeave = {});

    void toggle();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FullScreenToggle(QWidget &window, std::function<bool()> escapeMayLeave);

    QWidget &m_window;
    std::function<bool()> m_escapeMayLeave;
    QAction *m_leave = nullptr;
};
