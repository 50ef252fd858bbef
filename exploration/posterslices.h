// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/posterrender.h"

#include <cstdint>
#include <memory>

class DotPlane;
class Exploration;
class FigureCopies;

// A whole exploration drawn on the calling thread a slice at a time, for a
// program with one thread (in a web browser): a window calls drawFor() from
// its event loop, a few milliseconds each time, until it returns true. The
// walks, their generators and their shares of the dots are those of
// renderPoster(), so the picture is the same bit for bit as one drawn on
// any number of threads.
class PosterSlices
{
public:
    // Prepares the picture; outOfMemory() tells when there is no room for it.
    explicit PosterSlices(const PosterJob &job);
    ~PosterSlices();
    PosterSlices(const PosterSlices &) = delete;
    PosterSlices &operator=(const PosterSlices &) = delete;

    bool outOfMemory() const { return !m_plane; }
    // Draws for about `milliseconds`, in steps small enough to stop on time;
    // returns whether every dot is drawn (at once when out of memory).
    bool drawFor(int milliseconds);
    std::uint64_t dotsDone() const { return m_done; }
    std::uint64_t dotsTotal() const { return m_job.dots; }
    // The finished picture (Done), or OutOfMemory; Cancelled before the end.
    PosterResult result();

private:
    PosterJob m_job;
    std::unique_ptr<DotPlane> m_plane;
    std::shared_ptr<const FigureCopies> m_copies; // of the figure in view, shared by the walks
    int m_walks = 1;
    int m_walk = 0;                       // the walk under way
    std::unique_ptr<Exploration> m_current; // its state, between slices
    std::uint64_t m_leftInWalk = 0;
    std::uint64_t m_done = 0;
};
