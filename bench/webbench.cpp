// SPDX-License-Identifier: GPL-3.0-or-later
// The program's figures as a web browser runs it, measured by the same code
// in the browser (built for WebAssembly by scripts/build-web.sh) and
// natively (bench/web/run_web_bench.sh runs both and compares them): the
// square game's dots a second through the real main window, how often the
// canvas is painted while the triangle game plays, and the Explorer's frames
// and dots a second at full speed.
//
// It never waits in a nested event loop, which a browser cannot do: each
// step starts the next from the event loop when its time is up.
#include "canvas/canvas.h"
#include "explorer/explorerrun.h"
#include "explorer/explorerview.h"
#include "explorer/explorerwindow.h"
#include "games/clock.h"
#include "games/randomsource.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Counts the paint events a widget receives from now until `seconds` have
// passed, then hands the rate on.
class PaintRate : public QObject
{
public:
    PaintRate(QWidget &widget, int milliseconds, std::function<void(double perSecond)> done)
        : m_widget(widget), m_done(std::move(done))
    {
        m_widget.installEventFilter(this);
        m_clock.start();
        QTimer::singleShot(milliseconds, this, [this] {
            m_widget.removeEventFilter(this);
            m_done(m_paints * 1000.0 / double(std::max<qint64>(1, m_clock.elapsed())));
            deleteLater();
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        m_paints += event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget &m_widget;
    std::function<void(double)> m_done;
    QElapsedTimer m_clock;
    int m_paints = 0;
};

void print(const char *line, double value)
{
    std::printf(line, value);
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SystemClock clock;
    TimeSeededRandom random;
    auto *window = new MainWindow(random, clock);
    window->resize(1024, 749);
    window->show();
    auto *explorer = new ExplorerWindow;
    explorer->resize(1024, 700);

    auto button = [window](const char *name) { return window->findChild<QPushButton *>(QLatin1String(name)); };
    std::printf("web-bench: started\n");

    // The square game draws 3,000,000 dots and never waits: the click
    // returns when it is done. The fastest of five games.
    QTimer::singleShot(500, window, [&] {
        std::vector<double> seconds;
        for (int game = 0; game < 5; ++game) {
            QElapsedTimer timer;
            timer.start();
            button("cmdSquare")->click();
            seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
        }
        print("web-bench: square game %.2f million dots a second",
              3.0 / *std::min_element(seconds.begin(), seconds.end()));

        // The triangle game pauses 1/64 s between its blocks of dots.
        button("cmdPlay")->click();
        new PaintRate(window->canvas(), 4000, [&](double perSecond) {
            print("web-bench: triangle game %.1f presentations a second", perSecond);

            explorer->show();
            explorer->run().setDotsPerSecond(ExplorerRun::kFullSpeed);
            explorer->run().start();
            new PaintRate(explorer->view(), 3000, [&](double framesPerSecond) {
                print("web-bench: Explorer at full speed %.1f frames a second", framesPerSecond);
                print("web-bench: Explorer at full speed %.1f million dots a second",
                      double(explorer->run().dotsDrawn()) / 3e6);
                explorer->run().pause();
                std::printf("web-bench: done\n");
                std::fflush(stdout);
                QCoreApplication::exit(0); // the windows go with the application
            });
        });
    });
    return app.exec();
}
