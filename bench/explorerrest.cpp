// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/explorerrest.h"

#include "explorer/explorerrun.h"
#include "explorer/explorerwindow.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>

namespace {

constexpr double kTargetSeconds = 0.1;
constexpr int kMeasuredMs = 10'000;

// Lets the event loop run for this long (or until `done` holds, looked at
// every 50 ms).
void runEvents(int ms, const std::function<bool()> &done = {})
{
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done && done())
            loop.quit();
    });
    look.start(50);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Processor seconds the process takes while the event loop runs 10 s.
double processorSecondsIn10s()
{
    const std::clock_t before = std::clock();
    runEvents(kMeasuredMs);
    return double(std::clock() - before) / CLOCKS_PER_SEC;
}

} // namespace

void benchmarkExplorerAtRest()
{
    ExplorerWindow explorer;
    explorer.resize(1024, 700);
    explorer.show();
    ExplorerRun &run = explorer.run();
    run.setDotsPerSecond(ExplorerRun::kFullSpeed);

    QElapsedTimer toComplete;
    toComplete.start();
    run.start();
    runEvents(60'000, [&run] { return run.isComplete(); });
    const double completeAfter = toComplete.elapsed() / 1000.0;
    const bool completed = run.isComplete();
    const double complete = processorSecondsIn10s();

    run.clear();
    run.start();
    runEvents(1000);
    run.pause();
    const double paused = processorSecondsIn10s();

    run.clear();
    run.start();
    runEvents(200);
    explorer.showMinimized();
    const double minimised = processorSecondsIn10s();
    const bool keptRunning = run.isRunning();
    explorer.showNormal();

    std::printf("The Explorer at rest: processor seconds of the program in 10 s (target under %.1f)\n",
                kTargetSeconds);
    if (completed)
        std::printf("  %-34s %6.3f s  %s (complete after %.1f s at full speed)\n", "figure complete, rested",
                    complete, complete < kTargetSeconds ? "ok" : "OVER", completeAfter);
    else
        std::printf("  %-34s %6.3f s  OVER (not complete after %.0f s)\n", "figure complete, rested", complete,
                    completeAfter);
    std::printf("  %-34s %6.3f s  %s\n", "paused", paused, paused < kTargetSeconds ? "ok" : "OVER");
    std::printf("  %-34s %6.3f s  %s%s\n\n", "minimised while running", minimised,
                minimised < kTargetSeconds ? "ok" : "OVER", keptRunning ? "" : " (it stopped running)");
}
