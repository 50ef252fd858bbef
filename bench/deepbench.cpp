// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/deepbench.h"

#include "exploration/deepwalk.h"
#include "exploration/exploration.h"
#include "exploration/figurecopies.h"
#include "exploration/posterrender.h"
#include "exploration/presets.h"

#include "picture/pixelmapping.h"

#include <QElapsedTimer>

#include <atomic>
#include <cstdio>
#include <vector>

namespace {

constexpr QSize kSize(1000, 1000);
constexpr long kCountedDots = 5'000'000;
constexpr std::uint64_t kTimedDots = 20'000'000;

// The dots of one walk that land in the view, and the pixels they light:
// counted here, dot by dot, with the engine's own steps.
struct Density
{
    double dotsInView = 0;
    double pixelsLit = 0;
    double perPixel() const { return pixelsLit > 0 ? dotsInView / pixelsLit : 0; }
};

Density densityIn(const ExplorationSettings &settings, const FigureView &view)
{
    const QPointF origin(view.left + view.width() / 2, view.bottom + view.height() / 2);
    const FigureCopies copies(settings, view, origin);
    const WalkStep step(settings);
    WalkPoint point = step.start(Exploration::generatorOf(11, 0));
    for (long i = Exploration::stepsBeforeTheFigure(settings.ratio); i > 0; --i)
        point = step(point);
    const PixelMapping map = PixelMapping::of(kSize, view.left - origin.x(), view.top - origin.y(),
                                              view.right - origin.x(), view.bottom - origin.y());
    std::vector<std::uint32_t> hits(std::size_t(kSize.width()) * std::size_t(kSize.height()));
    Density density;
    const auto count = [&](double x, double y) {
        qsizetype column, row;
        if (map.find(x, y, column, row)) {
            std::uint32_t &hit = hits[std::size_t(row) * std::size_t(kSize.width()) + std::size_t(column)];
            density.pixelsLit += hit == 0;
            ++hit;
            ++density.dotsInView;
        }
    };
    if (copies.isWholeFigure()) {
        for (long i = 0; i < kCountedDots; ++i) {
            point = step(point);
            count(point.x - origin.x(), point.y - origin.y());
        }
    } else {
        const DeepStep deep(step, copies);
        DeepPoint mapped{0, 0, 0, point};
        for (long i = 0; i < kCountedDots; ++i) {
            mapped = deep(mapped);
            count(mapped.x, mapped.y);
        }
    }
    return density;
}

double dotsPerSecond(const ExplorationSettings &settings, const FigureView &view)
{
    const std::atomic<bool> notCancelled{false};
    QElapsedTimer timer;
    timer.start();
    renderPoster({settings, kSize, kTimedDots, 5, 1, view}, notCancelled);
    return double(kTimedDots) / (double(timer.nsecsElapsed()) / 1e9);
}

} // namespace

void benchmarkDeepZoom()
{
    std::printf("Deep zoom: %dx%d pixels, one thread; dots a second of the export (%.0f million dots), and the\n"
                "dots of %.0f million that land in the view per pixel they light, against the whole view's\n",
                kSize.width(), kSize.height(), kTimedDots / 1e6, kCountedDots / 1e6);
    std::printf("%-20s %-8s %6s %8s %13s %11s %9s\n", "figure", "width", "depth", "copies", "dots/s", "dots/pixel",
                "vs whole");
    for (const char *name : {"triangle", "carpet", "pentaflake", "pentagon-no-repeat", "square-no-repeat"}) {
        const ExplorationSettings settings = *presetNamed(QString::fromLatin1(name));
        const Targets targets = settings.targets();
        const FigureView whole = targets.wholeFigure(kSize);
        // A point of the figure: where a walk stands after many steps.
        const WalkStep step(settings);
        WalkPoint point = step.start(Exploration::generatorOf(3, 0));
        for (int i = 0; i < 10'000; ++i)
            point = step(point);
        double wholePerPixel = 0;
        for (const double width : {1.0, 1e-4, 1e-8, 1e-12}) {
            FigureView view = whole;
            if (width < 1) {
                const double half = whole.width() * width / 2;
                view = {point.x - half, point.y + half, point.x + half, point.y - half};
            }
            const FigureCopies copies(settings, view);
            const Density density = densityIn(settings, view);
            if (width == 1)
                wholePerPixel = density.perPixel();
            std::printf("%-20s %-8.0e %6d %8d %13.3g %11.2f %8.2fx\n", name, width, copies.depth(), copies.count(),
                        dotsPerSecond(settings, view), density.perPixel(),
                        wholePerPixel > 0 ? density.perPixel() / wholePerPixel : 0.0);
        }
    }
    std::printf("\n");
}
