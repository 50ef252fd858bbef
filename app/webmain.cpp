// SPDX-License-Identifier: GPL-3.0-or-later
// The program in a web browser: no command line, the start-up window at
// once. exec() hands control to the browser's event loop without returning
// and without unwinding main()'s objects, so the clock and the random
// source live as long as the page.
#include "app/applicationface.h"
#include "program/keyboardhandback.h"
#include "program/programidentity.h"
#include "games/clock.h"
#include "games/randomsource.h"
#include "mainwindow/splashwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    describeProgram();
    QApplication app(argc, argv);
    // A browser offers the program no faces of its own: every window takes
    // the built-in Liberation Sans, as the main window does.
    useProgramFaceInEveryWindow();
    // A page does not give the keyboard back to the window a box belonged
    // to once the box closes; the program does.
    handTheKeyboardBackAfterBoxes(app);

    SystemClock clock;
    TimeSeededRandom random;
    auto *splash = new SplashWindow(random, clock);
    splash->show();
    return app.exec();
}
