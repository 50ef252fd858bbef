#include "app/mainwindow.h"
#include "games/clock.h"
#include "games/randomsource.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Chaos Game"));

    SystemClock clock;
    TimeSeededRandom random;
    showMainWindow(random, clock);
    return app.exec();
}
