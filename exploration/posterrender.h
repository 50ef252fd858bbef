// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationsettings.h"
#include "exploration/targets.h"

#include <QImage>
#include <QSize>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

// A whole exploration drawn at once, on every core: for pictures at print
// size, saved in the background or from the command line.
struct PosterJob
{
    ExplorationSettings settings;
    QSize size{1000, 1000};
    std::uint64_t dots = 10'000'000;
    std::uint64_t seed = 0;
    int threads = 1;
    // The part of the figure to show; the whole figure when not given.
    std::optional<FigureView> view;
};

// Enough dots for a solid figure: ten per pixel of the picture.
std::uint64_t solidFigureDots(QSize size);

// How many independent walks draw `dots` dots: one per 100,000 dots, from
// 1 to 256. The threads share them out, so the picture does not depend on
// how many threads draw it.
int posterWalkCount(std::uint64_t dots);
// Walk `walk`'s share of `dots` dots over `walks` walks: as equal as can
// be, the first ones one more.
std::uint64_t posterDotsOfWalk(std::uint64_t dots, int walks, int walk);

struct PosterResult
{
    enum class Outcome { Done, Cancelled, OutOfMemory };
    Outcome outcome = Outcome::Done;
    // An 8-bit picture with its colour table (see explorationColourTable()).
    QImage image;
};

// Draws the job's dots on `job.threads` threads, each taking the next of
// the job's walks (walk k has the generator Exploration::generatorOf(seed,
// k)) until none is left, into one shared DotPlane. Calls `progress` with
// the dots drawn so far and the total every tenth of a second or so, on
// the calling thread, which waits meanwhile. Once `cancelled` is set, the
// threads stop within a few milliseconds and the result is Cancelled. With
// the same job, the picture is the same bit for bit, whatever the number of
// threads. A window saving a picture this way calls it from a thread of
// its own, and sets `cancelled` from its own to stop it.
PosterResult renderPoster(const PosterJob &job, const std::atomic<bool> &cancelled,
                          const std::function<void(std::uint64_t done, std::uint64_t total)> &progress = {});
