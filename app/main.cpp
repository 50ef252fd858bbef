// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/commandlineoutput.h"
#include "app/programidentity.h"
#include "app/splashwindow.h"
#include "games/clock.h"
#include "games/randomsource.h"

#include <QApplication>

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    describeProgram();

    // Answered before QApplication exists: it needs a display, and --help,
    // --version and a mistyped option must not.
    const CommandLineRequest request = readCommandLine(argumentsOf(argc, argv));
    if (request.action != CommandLineRequest::Action::Run) {
        showCommandLineAnswer(request);
        return request.exitStatus;
    }

    QApplication app(argc, argv);
    // Ties the windows to the installed launcher entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.ChaosGame"));

    // One clock and one random source for the whole run; the main window
    // seeds the random source when the splash window opens it.
    SystemClock clock;
    TimeSeededRandom random;

    auto *splash = new SplashWindow(random, clock);
    splash->show();
    return app.exec();
}
