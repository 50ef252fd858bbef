// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/posterdrawing.h"

#include "exploration/functionthread.h"

#include <QThread>

#include <atomic>

// The drawing runs on a thread of its own, which runs renderPoster() and so
// draws on every core; the window's thread only hears of its progress and
// of its end.
struct PosterDrawing::Work
{
    PosterJob job;
    std::atomic<bool> cancelled{false};
    std::atomic<std::uint64_t> done{0};
    PosterResult result;
    std::unique_ptr<FunctionThread> thread;
};

PosterDrawing::PosterDrawing(const PosterJob &job, QObject *parent) : QObject(parent), m_work(std::make_unique<Work>())
{
    m_work->job = job;
    m_work->job.threads = std::max(1, QThread::idealThreadCount());
}

PosterDrawing::~PosterDrawing()
{
    if (m_work->thread) {
        m_work->cancelled = true;
        m_work->thread->wait();
    }
}

void PosterDrawing::start()
{
    Work *work = m_work.get();
    work->thread = std::make_unique<FunctionThread>([work] {
        work->result = renderPoster(work->job, work->cancelled, [work](std::uint64_t done, std::uint64_t) {
            work->done.store(done, std::memory_order_relaxed);
        });
    });
    connect(work->thread.get(), &QThread::finished, this, [this] {
        m_work->thread->wait();
        m_work->thread.reset();
        emit finished(m_work->result);
    });
    work->thread->start();
}

void PosterDrawing::cancel()
{
    m_work->cancelled = true;
}

std::uint64_t PosterDrawing::dotsDone() const
{
    return m_work->done.load(std::memory_order_relaxed);
}
