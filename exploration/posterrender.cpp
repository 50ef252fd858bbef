// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/posterrender.h"

#include "exploration/dotplane.h"
#include "exploration/exploration.h"
#include "exploration/figurecopies.h"
#include "exploration/targetpalette.h"

#include <QDeadlineTimer>
#include "exploration/functionthread.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace {

// Dots a walk plots between looks at the cancel flag and the progress
// count: well under a millisecond of drawing.
constexpr long kDotsPerSlice = 1 << 16;
constexpr int kProgressIntervalMs = 100;

// What the threads share: the plane, the next walk to take and the count of
// dots drawn.
struct SharedWork
{
    const PosterJob &job;
    DotPlane &plane;
    const std::atomic<bool> &cancelled;
    std::shared_ptr<const FigureCopies> copies;
    int walks;
    std::atomic<int> nextWalk{0};
    std::atomic<std::uint64_t> dotsDone{0};

    void drawWalks()
    {
        for (int walk = nextWalk++; walk < walks; walk = nextWalk++) {
            Exploration exploration(job.settings, job.seed, std::uint64_t(walk));
            exploration.useCopies(copies);
            std::uint64_t left = posterDotsOfWalk(job.dots, walks, walk);
            while (left > 0) {
                if (cancelled.load(std::memory_order_relaxed))
                    return;
                const long slice = long(std::min<std::uint64_t>(left, kDotsPerSlice));
                exploration.advance(slice, plane);
                left -= std::uint64_t(slice);
                dotsDone.fetch_add(std::uint64_t(slice), std::memory_order_relaxed);
            }
        }
    }
};

} // namespace

std::uint64_t solidFigureDots(QSize size)
{
    return 10 * std::uint64_t(std::max(1, size.width())) * std::uint64_t(std::max(1, size.height()));
}

int posterWalkCount(std::uint64_t dots)
{
    return int(std::clamp<std::uint64_t>(dots / 100'000, 1, 256));
}

std::uint64_t posterDotsOfWalk(std::uint64_t dots, int walks, int walk)
{
    return dots / std::uint64_t(walks) + (std::uint64_t(walk) < dots % std::uint64_t(walks) ? 1 : 0);
}

PosterResult renderPoster(const PosterJob &job, const std::atomic<bool> &cancelled,
                          const std::function<void(std::uint64_t, std::uint64_t)> &progress)
{
    std::unique_ptr<DotPlane> plane;
    try {
        plane = std::make_unique<DotPlane>(job.size);
    } catch (const std::bad_alloc &) {
        return {PosterResult::Outcome::OutOfMemory, QImage()};
    }
    const Targets targets = job.settings.targets();
    plane->setView(job.view.value_or(targets.wholeFigure(plane->size())));
    // The copies of the figure in view, made once for every walk.
    auto copies = std::make_shared<const FigureCopies>(job.settings, plane->view(), plane->origin());

    SharedWork work{job, *plane, cancelled, copies, posterWalkCount(job.dots)};
    std::vector<std::unique_ptr<FunctionThread>> threads;
    const int threadCount = std::clamp(job.threads, 1, work.walks);
    for (int i = 0; i < threadCount; ++i) {
        threads.emplace_back(std::make_unique<FunctionThread>([&work] { work.drawWalks(); }));
        threads.back()->start();
    }
    for (const auto &thread : threads) {
        while (!thread->wait(QDeadlineTimer(kProgressIntervalMs))) {
            if (progress)
                progress(work.dotsDone.load(std::memory_order_relaxed), job.dots);
        }
    }
    if (cancelled.load())
        return {PosterResult::Outcome::Cancelled, QImage()};
    if (progress)
        progress(job.dots, job.dots);

    QImage image = plane->takeImage(explorationColourTable(targets.count(), job.settings.colourByTarget));
    if (image.isNull())
        return {PosterResult::Outcome::OutOfMemory, QImage()};
    return {PosterResult::Outcome::Done, image};
}
