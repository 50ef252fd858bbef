// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/exportbench.h"

#include "cli/exportcommand.h"
#include "bench/exportreference.h"
#include "bench/peakmemory.h"
#include "exploration/posterrender.h"
#include "exploration/presets.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr double kPerThreadTarget = 1.5;
constexpr double kSpeedUpTarget = 1.8;
constexpr long kDots = 40'000'000;

struct Timing
{
    double processorNs = 0; // processor time of the whole process
    double wallNs = 0;
};

Timing timed(const std::function<void()> &run)
{
    QElapsedTimer wall;
    const std::clock_t start = std::clock();
    wall.start();
    run();
    return {double(std::clock() - start) * (1e9 / CLOCKS_PER_SEC), double(wall.nsecsElapsed())};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct ExportCase
{
    const char *name;
    const char *preset;
    QSize size;
    std::function<void(ReferencePlane &, ReferenceGenerator &, long)> reference;
    int corners;
};

void benchmarkCase(const ExportCase &c, int rounds, int allThreads)
{
    PosterJob job;
    job.settings = *presetNamed(QString::fromLatin1(c.preset));
    job.size = c.size;
    job.dots = kDots;
    job.seed = 1;
    const std::atomic<bool> notCancelled{false};

    std::vector<double> referenceNs, oneNs, oneWallNs, allNs, allWallNs, perThread, speedUp, extraWork;
    for (int round = 0; round < rounds; ++round) {
        ReferencePlane plane(c.size, c.corners);
        ReferenceGenerator generator(static_cast<float>(round));
        const Timing reference = timed([&] { c.reference(plane, generator, kDots); });
        job.threads = 1;
        const Timing one = timed([&] { renderPoster(job, notCancelled); });
        job.threads = allThreads;
        const Timing all = timed([&] { renderPoster(job, notCancelled); });
        referenceNs.push_back(reference.processorNs);
        oneNs.push_back(one.processorNs);
        oneWallNs.push_back(one.wallNs);
        allNs.push_back(all.processorNs);
        allWallNs.push_back(all.wallNs);
        perThread.push_back(one.processorNs / reference.processorNs);
        speedUp.push_back(one.wallNs / all.wallNs);
        extraWork.push_back(all.processorNs / one.processorNs);
    }
    const double ratio = median(perThread);
    const double gain = median(speedUp);
    std::printf("  %-24s %9s  %7.1f M/s  %7.1f M/s  %5.2f %-4s  %7.1f M/s  %5.2f %-5s  %5.2f\n", c.name,
                qPrintable(QStringLiteral("%1x%2").arg(c.size.width()).arg(c.size.height())),
                kDots / median(referenceNs) * 1e3, kDots / median(oneNs) * 1e3, ratio,
                ratio <= kPerThreadTarget ? "ok" : "OVER", kDots / median(allWallNs) * 1e3, gain,
                gain >= kSpeedUpTarget ? "ok" : "UNDER", median(extraWork));
}

// The speed-up the machine gives now, from one thread to `threads`, to a
// loop of pure arithmetic (each thread the same work): what the export's
// speed-up can be held against while others use the machine.
double arithmeticSpeedUp(int threads)
{
    const auto spin = [] {
        std::uint64_t x = 88172645463325252u;
        for (int i = 0; i < 200'000'000; ++i) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
        }
        return x;
    };
    const auto wallNsOf = [&spin](int count) {
        std::vector<std::unique_ptr<QThread>> running;
        std::atomic<std::uint64_t> sink{0};
        const Timing timing = timed([&] {
            for (int i = 0; i < count; ++i) {
                running.emplace_back(QThread::create([&] { sink += spin(); }));
                running.back()->start();
            }
            for (const auto &thread : running)
                thread->wait();
        });
        return timing.wallNs;
    };
    return threads * wallNsOf(1) / wallNsOf(threads);
}

} // namespace

void benchmarkExport(int rounds, const char *benchProgram)
{
    const int allThreads = std::max(1, QThread::idealThreadCount());
    const auto any = [](ReferencePlane &plane, ReferenceGenerator &generator, long dots) {
        plane.walkAny(generator, dots);
    };
    const auto noRepeat = [](ReferencePlane &plane, ReferenceGenerator &generator, long dots) {
        plane.walkNoRepeat(generator, dots);
    };
    const ExportCase cases[] = {
        {"Triangle, any corner", "triangle", QSize(1000, 1000), any, 3},
        {"Square, no repeat", "square-no-repeat", QSize(1000, 1000), noRepeat, 4},
        {"Triangle, any corner", "triangle", QSize(8192, 8192), any, 3},
    };

    std::printf("The export (--export), %ld dots: the reference loop (own generator, plain byte array)\n"
                "and the export on 1 thread, in dots per second of processor time, and the ratio of the\n"
                "two (target at most %.1f); the export on all %d threads in dots per second of real\n"
                "time, its speed-up over 1 thread in real time (target at least %.1f on 2 cores), and\n"
                "the processor time it took over that on 1 thread (1.00: no work lost to sharing).\n"
                "Median of %d rounds.\n\n",
                kDots, kPerThreadTarget, allThreads, kSpeedUpTarget, rounds);
    std::printf("  %-24s %9s  %11s  %11s  %-10s  %11s  %-11s  %s\n", "", "size", "reference", "1 thread",
                "ratio", qPrintable(QStringLiteral("%1 threads").arg(allThreads)), "speed-up", "work");
    for (const ExportCase &c : cases)
        benchmarkCase(c, rounds, allThreads);
    std::printf("  (a loop of pure arithmetic gets a speed-up of %.2f on %d threads from the machine now)\n",
                arithmeticSpeedUp(allThreads), allThreads);

    QProcess memory;
    memory.start(QString::fromLocal8Bit(benchProgram), {QStringLiteral("--export-memory")});
    memory.waitForFinished(-1);
    std::printf("\n  Peak memory of an 8192 x 8192 export (carpet, coloured, written as PNG): %s\n",
                memory.readAllStandardOutput().trimmed().constData());
}

int measureExportMemory()
{
    QTemporaryDir folder;
    ExportRequest request;
    request.file = folder.filePath(QStringLiteral("poster.png"));
    request.format = "png";
    request.job.settings = *presetNamed(QStringLiteral("carpet"));
    request.job.settings.colourByTarget = true;
    request.job.size = QSize(8192, 8192);
    request.job.dots = 200'000'000;
    request.job.threads = 0;
    request.seed = 1;
    const int status = runExport(request);
    const auto megabytes = peakResidentMegabytes();
    if (status != 0)
        std::printf("the export failed (%d)\n", status);
    else if (megabytes)
        std::printf("%.1f MB (target under 400 MB)\n", *megabytes);
    else
        std::printf("not measured on this platform\n");
    return status;
}
