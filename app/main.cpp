#include "app/splashwindow.h"
#include "games/clock.h"
#include "games/randomsource.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Chaos Game"));
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
