// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandline.h"
#include "cli/commandlineoutput.h"
#include "mainwindow/explorerlaunch.h"
#include "cli/exportcommand.h"
#include "app/applicationface.h"
#include "program/keyboardhandback.h"
#include "program/programidentity.h"
#include "app/scalefactor.h"
#include "program/settings.h"
#include "mainwindow/splashwindow.h"
#include "explorer/explorerwindow.h"
#include "games/clock.h"
#include "games/randomsource.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    describeProgram();

    // Answered before QApplication exists: it needs a display, and --help,
    // --version and a mistyped option must not.
    const CommandLineRequest request = readCommandLine(programArguments(argc, argv));
    if (request.action == CommandLineRequest::Action::Print || request.action == CommandLineRequest::Action::Refuse) {
        return showCommandLineAnswer(request);
    }
    // An export draws into a file and needs no display either: only an
    // application object, for the image format plugins.
    if (request.action == CommandLineRequest::Action::Export) {
        QCoreApplication app(argc, argv);
        useStartingConsole();
        reportExportWarnings(request.exportRequest);
        return runExport(request.exportRequest);
    }

    refuseScaleBelowOne();
    QApplication app(argc, argv);
#ifdef Q_OS_WIN
    // Windows' own faces are not the program's (and under Wine not even
    // there): the About box, the help and the Explorer take the main
    // window's face too.
    useProgramFaceInEveryWindow();
#endif
    // Window managers do this already; offscreen and on odd ones, a closed
    // box would leave no window with the keyboard.
    handTheKeyboardBackAfterBoxes(app);
    // Ties the windows to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChaosGame"));

    // A settings file that cannot be used (a named pipe in its place, say)
    // is told once, here; the program then runs with its defaults and
    // remembers nothing. The values an earlier release kept in a second
    // file are taken over here too, once.
    {
        Settings settings;
        settings.takeOverStrayValues();
        if (const QString problem = settings.problem(); !problem.isEmpty()) {
            const QString told = QCoreApplication::translate("Settings", "%1: %2 The program runs with its "
                                                                         "defaults and remembers nothing this time.\n")
                                     .arg(programId(), problem);
            std::fputs(told.toLocal8Bit().constData(), stderr);
            std::fflush(stderr);
        }
    }

    // The Explorer alone, for a lesson that needs only it.
    if (request.action == CommandLineRequest::Action::Explore) {
        QPointer<ExplorerWindow> explorer;
        showExplorer(explorer, request.explorationFile);
        return app.exec();
    }

    // One clock and one random source for the whole run; the main window
    // seeds the random source when the splash window opens it.
    SystemClock clock;
    TimeSeededRandom random;

    auto *splash = new SplashWindow(random, clock);
    splash->show();
    return app.exec();
}
