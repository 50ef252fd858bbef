// SPDX-License-Identifier: GPL-3.0-or-later
//
// The benchmark: what each game costs per dot through the real canvas, with
// live presentation, against the tightest loop that plays the same game into
// a plain pixel array (the reference, bench/referenceloops.h). The two run
// interleaved, round after round, in one process; the median of the rounds'
// ratios gives the verdict. Then how often the canvas presents while a mode runs, and the
// program's peak resident memory.
//
//   build/release/bench/chaos-bench [rounds]
//   build/release/bench/chaos-bench --export [rounds]    (the export's figures only)
//   build/release/bench/chaos-bench --deep               (deep zoom's figures only)
//   build/release/bench/chaos-bench --rest               (the Explorer at rest only)

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "bench/deepbench.h"
#include "bench/explorerrest.h"
#include "bench/exportbench.h"
#include "bench/peakmemory.h"
#include "bench/presentationcount.h"
#include "bench/referenceloops.h"
#include "canvas/canvas.h"
#include "explorer/explorerrun.h"
#include "explorer/explorerview.h"
#include "explorer/explorerwindow.h"
#include "games/clock.h"
#include "games/fractionalgame.h"
#include "games/halfwaygame.h"
#include "games/hexagongame.h"
#include "games/randomsource.h"
#include "games/squaregame.h"
#include "games/trianglegame.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kRatioTarget = 1.5;
// Both sides start every run from this reading of the clock, so they draw
// the same corners and must end on the same point.
constexpr float kReading = 43200.0f;
constexpr ReferencePoint kMiddle{500, 375};

// The window around a mode, for modes that draw in one go and ask nothing:
// the buttons they show or hide are not timed.
struct QuietHost : ModeHost
{
    void showScreenTwo(bool) override {}
    void focusExplain() override {}
    void askFraction(QObject *, std::function<void(const QString &)>) override {}
    void refuseFraction(QObject *, std::function<void()>) override {}
};

// A canvas as the main window sets it up, and what a mode needs around it.
struct Board
{
    explicit Board(QSize size, RandomSource &random, Clock &clock)
        : canvas(size), mode{canvas, form, random, clock, host}
    {
        canvas.setScale(0, 750, 1000, 0);
        canvas.show();
        QApplication::processEvents();
    }

    // Plays a half-way mode from the middle; returns where it ended.
    ReferencePoint playFromTheMiddle(void (*play)(ModeContext &))
    {
        form.PointX = FormValue::single(kMiddle.x);
        form.PointY = FormValue::single(kMiddle.y);
        play(mode);
        return {float(form.PointX.toDouble()), float(form.PointY.toDouble())};
    }

    QSize pictureSize() const { return canvas.picture().size(); }

    Canvas canvas;
    FormState form;
    QuietHost host;
    ModeContext mode;
};

// One game's two sides. Each run returns the point it ended on.
struct Game
{
    const char *name;
    long dots;
    std::function<ReferencePoint()> throughCanvas;
    std::function<ReferencePoint()> reference;

    std::vector<double> canvasNs = {}, referenceNs = {}, ratios = {};
    bool sameDots = true;
};

// The processor time the run takes, so that the time the process waits for
// a core while others use the machine does not count.
double nanosecondsOf(const std::function<ReferencePoint()> &run, ReferencePoint &end)
{
    const std::clock_t start = std::clock();
    end = run();
    return double(std::clock() - start) * (1e9 / CLOCKS_PER_SEC);
}

// Canvas and reference take turns, each going first in every other round,
// so that a change in the machine's load falls on both alike.
void measure(Game &game, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        ReferencePoint canvasEnd{}, referenceEnd{};
        if (round % 2 == 0) {
            game.canvasNs.push_back(nanosecondsOf(game.throughCanvas, canvasEnd));
            game.referenceNs.push_back(nanosecondsOf(game.reference, referenceEnd));
        } else {
            game.referenceNs.push_back(nanosecondsOf(game.reference, referenceEnd));
            game.canvasNs.push_back(nanosecondsOf(game.throughCanvas, canvasEnd));
        }
        game.ratios.push_back(game.canvasNs.back() / game.referenceNs.back());
        game.sameDots = game.sameDots && canvasEnd.x == referenceEnd.x && canvasEnd.y == referenceEnd.y;
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return "not known";
    const QList<QByteArray> fields = file.readLine().split(' ');
    return fields.size() >= 3 ? (fields[0] + ' ' + fields[1] + ' ' + fields[2]).toStdString() : "not known";
}

void printPresentations(const char *what, const Presentations &p)
{
    std::printf("  %-34s %6.2f s  %5d  %6.1f/s  longest gap %6.1f ms  gaps over 20 ms: %d\n", what, p.seconds,
                p.count, p.perSecond(), p.longestGapMs, p.gapsOver20Ms);
}

} // namespace

int main(int argc, char *argv[])
{
    // The export's peak memory, in a process of its own.
    if (argc > 1 && std::string(argv[1]) == "--export-memory") {
        QCoreApplication app(argc, argv);
        return measureExportMemory();
    }
    // Only deep zoom's figures.
    if (argc > 1 && std::string(argv[1]) == "--deep") {
        QCoreApplication app(argc, argv);
        benchmarkDeepZoom();
        return 0;
    }
    // Only the export's figures.
    if (argc > 1 && std::string(argv[1]) == "--export") {
        QCoreApplication app(argc, argv);
        std::printf("Machine: %d cores, load average %s (1, 5, 15 min)\n\n", QThread::idealThreadCount(),
                    loadAverage().c_str());
        benchmarkExport(argc > 2 ? std::max(1, std::atoi(argv[2])) : 5, argv[0]);
        std::printf("Load average at the end: %s\n", loadAverage().c_str());
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Only the Explorer at rest.
    if (argc > 1 && std::string(argv[1]) == "--rest") {
        std::printf("Machine: %d cores, load average %s (1, 5, 15 min)\n\n", QThread::idealThreadCount(),
                    loadAverage().c_str());
        benchmarkExplorerAtRest();
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;

    std::printf("Machine: %d cores, load average %s (1, 5, 15 min)\n\n", QThread::idealThreadCount(),
                loadAverage().c_str());

    // Only the triangle game waits on the clock; the others never read it.
    TimeSeededRandom random;
    SystemClock clock;
    Board board(QSize(961, 657), random, clock);
    Board large(QSize(1920, 1080), random, clock);
    PixelArray pixels(board.pictureSize());
    PixelArray largePixels(large.pictureSize());

    Canvas &canvas = board.canvas;
    const long halfWayDots = 3000000;
    const long fractionalDots = 700000;
    std::vector<Game> games;

    games.push_back({"Triangle half-way game", halfWayDots,
                     [&] {
                         random.seed(kReading);
                         canvas.clear();
                         float x = kMiddle.x, y = kMiddle.y;
                         // In blocks of 1000 dots, as the game plays them between its pauses.
                         for (long block = 0; block < halfWayDots / 1000; ++block)
                             playHalfWayGame(canvas, random, 3, 1000, x, y, towardsTriangleCorner);
                         canvas.present();
                         return ReferencePoint{x, y};
                     },
                     [&] {
                         ReferenceGenerator generator(kReading);
                         pixels.clear();
                         return referenceTriangle(generator, halfWayDots, kMiddle, pixels);
                     }});
    games.push_back({"Square chaos game", halfWayDots,
                     [&] {
                         random.seed(kReading);
                         return board.playFromTheMiddle(playSquareGame);
                     },
                     [&] {
                         ReferenceGenerator generator(kReading);
                         pixels.clear();
                         return referenceHalfWay(generator, kSquareCorners, halfWayDots, kMiddle, pixels);
                     }});
    games.push_back({"Hexagonal chaos game", halfWayDots,
                     [&] {
                         random.seed(kReading);
                         return board.playFromTheMiddle(playHexagonalGame);
                     },
                     [&] {
                         ReferenceGenerator generator(kReading);
                         pixels.clear();
                         return referenceHalfWay(generator, kHexagonCorners, halfWayDots, kMiddle, pixels);
                     }});
    games.push_back({"Fractional chaos game (0.5)", fractionalDots,
                     [&] {
                         random.seed(kReading);
                         canvas.clear();
                         float x = kMiddle.x, y = kMiddle.y;
                         playFractionSteps(canvas, random, 0.5f, fractionalDots, x, y);
                         canvas.present();
                         return ReferencePoint{x, y};
                     },
                     [&] {
                         ReferenceGenerator generator(kReading);
                         pixels.clear();
                         return referenceFractional(generator, 0.5f, fractionalDots, kMiddle, pixels);
                     }});
    games.push_back({"Square chaos game, 1920 x 1080", halfWayDots,
                     [&] {
                         random.seed(kReading);
                         return large.playFromTheMiddle(playSquareGame);
                     },
                     [&] {
                         ReferenceGenerator generator(kReading);
                         largePixels.clear();
                         return referenceHalfWay(generator, kSquareCorners, halfWayDots, kMiddle, largePixels);
                     }});

    for (Game &game : games)
        measure(game, rounds);

    std::printf("Each game through the real canvas (offscreen, live presentation) and its reference\n"
                "loop (own generator, plain pixel array), interleaved %d times: median processor time\n"
                "per dot of each, and the median of each round's ratio of the two.\n\n",
                rounds);
    std::printf("  %-32s %8s  %12s  %12s  %5s  %-10s %s\n", "", "dots", "canvas", "reference", "ratio", "verdict",
                "same dots");
    std::vector<std::string> over;
    for (const Game &game : games) {
        const double canvasNs = median(game.canvasNs);
        const double referenceNs = median(game.referenceNs);
        const double ratio = median(game.ratios);
        if (ratio > kRatioTarget)
            over.push_back(game.name);
        std::printf("  %-32s %8ld  %6.2f ns/dot  %6.2f ns/dot  %5.2f  %-10s %s\n", game.name, game.dots,
                    canvasNs / game.dots, referenceNs / game.dots, ratio, ratio <= kRatioTarget ? "ok" : "OVER",
                    game.sameDots ? "yes" : "no");
    }
    std::printf("  (per run: ");
    for (const Game &game : games)
        std::printf("%s%.1f/%.1f ms", &game == &games.front() ? "" : ", ", median(game.canvasNs) / 1e6,
                    median(game.referenceNs) / 1e6);
    std::printf(" canvas/reference)\n\n");

    // How often the window is shown the growing picture: the triangle game
    // with its real pauses on the system clock (about 8 s), and the square game.
    random.seed(kReading);
    std::printf("Presentations while a mode runs (paint events of the canvas):\n");
    std::printf("  %-34s %8s  %5s  %8s\n", "", "time", "count", "rate");
    printPresentations("Triangle game, system clock", countPresentations(board.canvas, [&] {
                           // It pauses in the event loop; run the loop until the game ends.
                           QEventLoop running;
                           ModeTask triangle = playTriangleGame(board.mode);
                           triangle.whenDone([&running] { running.quit(); });
                           if (!triangle.done())
                               running.exec();
                       }));
    printPresentations("Square game", countPresentations(board.canvas, [&] {
                           board.playFromTheMiddle(playSquareGame);
                       }));
    printPresentations("Square game, 1920 x 1080", countPresentations(large.canvas, [&] {
                           large.playFromTheMiddle(playSquareGame);
                       }));
    // The Explorer at full speed, drawing from the event loop in slices.
    {
        ExplorerWindow explorer;
        explorer.resize(1024, 700);
        explorer.show();
        explorer.run().setDotsPerSecond(ExplorerRun::kFullSpeed);
        explorer.run().start();
        const Presentations shown = countPresentations(explorer.view(), [] {
            QEventLoop running;
            QTimer::singleShot(3000, &running, &QEventLoop::quit);
            running.exec();
        });
        printPresentations("Explorer, full speed (target 55/s)", shown);
        std::printf("  %-34s %.1f million dots a second\n", "",
                    double(explorer.run().dotsDrawn()) / shown.seconds / 1e6);
    }
    std::printf("\n");
    benchmarkExplorerAtRest();

    if (const auto megabytes = peakResidentMegabytes())
        std::printf("Peak resident memory: %.1f MB (target under 100 MB)\n", *megabytes);
    else
        std::printf("Peak resident memory: not measured on this platform\n");
    std::printf("Load average: %s\n\n", loadAverage().c_str());

    benchmarkExport(std::max(3, rounds / 2), argv[0]);
    benchmarkDeepZoom();
    std::printf("Load average at the end: %s\n\n", loadAverage().c_str());

    if (over.empty()) {
        std::printf("Verdict: every game through the canvas within %.2fx its reference\n", kRatioTarget);
    } else {
        std::printf("Verdict: OVER TARGET (%.2fx) for", kRatioTarget);
        for (const std::string &name : over)
            std::printf("%s %s", &name == &over.front() ? "" : ",", name.c_str());
        std::printf("\n");
    }
    return over.empty() ? 0 : 1;
}
