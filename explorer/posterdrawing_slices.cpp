// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/posterdrawing.h"

#include "exploration/posterslices.h"

#include <QTimer>

namespace {

// Each slice draws for this long, then returns to the event loop, so that
// the window, the progress bar and Cancel stay live.
constexpr int kSliceMs = 8;

} // namespace

struct PosterDrawing::Work
{
    explicit Work(const PosterJob &job) : slices(job) {}
    PosterSlices slices;
    QTimer timer;
    bool ended = false;
};

PosterDrawing::PosterDrawing(const PosterJob &job, QObject *parent)
    : QObject(parent), m_work(std::make_unique<Work>(job))
{
    m_work->timer.setInterval(0);
    connect(&m_work->timer, &QTimer::timeout, this, [this] {
        if (m_work->slices.drawFor(kSliceMs)) {
            m_work->timer.stop();
            m_work->ended = true;
            emit finished(m_work->slices.result());
        }
    });
}

PosterDrawing::~PosterDrawing() = default;

void PosterDrawing::start()
{
    m_work->timer.start();
}

void PosterDrawing::cancel()
{
    if (m_work->ended)
        return;
    m_work->timer.stop();
    m_work->ended = true;
    // Told from the event loop, as a finished drawing is, not from inside
    // whatever asked to cancel.
    QMetaObject::invokeMethod(this, [this] { emit finished(m_work->slices.result()); }, Qt::QueuedConnection);
}

std::uint64_t PosterDrawing::dotsDone() const
{
    return m_work->slices.dotsDone();
}
