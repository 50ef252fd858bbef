// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/posterrender.h"

#include <QObject>

#include <cstdint>
#include <memory>

// A large picture drawn while the window stays live: on every core, in
// threads of its own, where the program has threads; in slices from the
// event loop, a few milliseconds each, where it has one thread (in a web
// browser). Which of the two is chosen when the program is built. Either
// way the picture is the one renderPoster() draws for the same job.
class PosterDrawing : public QObject
{
    Q_OBJECT

public:
    PosterDrawing(const PosterJob &job, QObject *parent);
    // Stops a drawing under way.
    ~PosterDrawing() override;

    void start();
    // Stops drawing soon; finished() then reports Cancelled.
    void cancel();
    std::uint64_t dotsDone() const;

signals:
    // Once, from the event loop, when the picture is done, cancelled or
    // found too large for the memory.
    void finished(const PosterResult &result);

private:
    struct Work;
    std::unique_ptr<Work> m_work;
};
