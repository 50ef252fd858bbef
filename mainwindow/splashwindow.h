// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class Clock;
class QFrame;
class RandomSource;

// frmSplash, the start-up window: the program's title and details in a box,
// centred on the screen without a title bar. A click in the box or on any
// of its labels, or a key that types a character, opens the main window
// and closes this window for good.
//
// It is laid out for a 1024 x 768 screen and scales with the main window's
// layout on the screen it opens on.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    SplashWindow(RandomSource &random, Clock &clock, QWidget *parent = nullptr);

signals:
    // The main window has been opened; this window is closing.
    void begun();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Places are given, and fonts sized, as at scale 1.
    QRect scaled(const QRect &place) const;
    void addLabel(const char *name, const QString &text, const QRect &place, const QFont &font);
    void begin();

    RandomSource &m_random;
    Clock &m_clock;
    QFrame *m_box = nullptr;
    double m_scale = 1;
    QObject *m_pressedOn = nullptr;
    bool m_begun = false;
};
