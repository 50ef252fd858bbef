// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "games/modetask.h"
#include "mainwindow/picturesharing.h"

class Accelerators;
class QAction;
class Canvas;
class Clock;
class ExplorerWindow;
class InputHoldBack;
class QPushButton;
class RandomSource;

// frmCG, the program's working window: the canvas above a row of command
// buttons, one per mode, and the form-level values the modes share.
//
// The layout is made for a 1024 x 749 client area and scales uniformly,
// fonts included, to fill the window's client area as far as its
// proportions allow, centred in the spare space.
//
// A mode runs from the event loop, one at a time: it returns to the loop
// whenever it waits (for the clock, for a box's answer) and is resumed from
// there. Keys, clicks and close requests given while a mode runs are held
// back and handled after it, in the order given (see InputHoldBack); so are
// saving, copying and printing the picture (Ctrl+S, Ctrl+C, Ctrl+P and the
// canvas's context menu), the help (F1) and full screen (F11). A mode still
// running when the window is destroyed stops where it waits.
class MainWindow : public QWidget, private ModeHost
{
    Q_OBJECT

public:
    MainWindow(RandomSource &random, Clock &clock, QWidget *parent = nullptr);

    ~MainWindow() override;

    FormState &formState() { return m_form; }
    Canvas &canvas() { return *m_canvas; }

protected:
    void childEvent(QChildEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    using Mode = ModeTask (*)(ModeContext &);
    struct ButtonRow;
    static constexpr int kButtonCount = 7;

    void load();
    void layOutToScale();
    void applyLayoutScale(double factor);
    QPushButton *addButton(QWidget *parent, const char *name, const QString &caption, const QRect &geometry,
                           const QString &description);
    void addButtonRow();
    void connectMode(QPushButton *button, Mode mode, const QString &name);
    void runMode(Mode mode, const QString &name = QString());
    void createPictureActions();
    void createWindowActions();

    // What the modes ask of the window.
    void showScreenTwo(bool shown) override;
    void focusExplain() override;
    void askFraction(QObject *context, std::function<void(const QString &)> answered) override;
    void refuseFraction(QObject *context, std::function<void()> closed) override;

    RandomSource &m_random;
    Clock &m_clock;
    FormState m_form;

    Canvas *m_canvas = nullptr;
    std::array<QPushButton *, kButtonCount> m_buttons{}; // the row under the canvas, left to right
    QPushButton *m_explain = nullptr;
    QPushButton *m_screen2 = nullptr;
    ModeContext m_context;

    PictureSharing m_pictureSharing{this};
    QString m_lastModeName; // names the picture saved: "triangle", "tracked", ...
    Accelerators *m_accelerators; // before the held input, which sees input first
    InputHoldBack *m_input = nullptr;
    QPointer<ExplorerWindow> m_explorer; // the Chaos Explorer, while open
};

// Creates the main window, loads it and shows it maximised. The window
// deletes itself when it is closed.
MainWindow *showMainWindow(RandomSource &random, Clock &clock);
