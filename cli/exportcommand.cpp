// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/exportcommand.h"

#include "cli/picturenote.h"
#include "files/picturefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QLocale>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int kInterruptedStatus = 130; // 128 + SIGINT, as shells report it

// Set by the interrupt handler. A handler can reach nothing but a flag of
// static storage, so this one is the export's only global; lock-free, so
// setting it from a handler is safe.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int)
{
    interrupted.store(true);
}

// Catches Ctrl+C (and a polite request to stop) while it lives.
class InterruptCatcher
{
public:
    InterruptCatcher()
    {
        interrupted.store(false);
        m_previousInterrupt = std::signal(SIGINT, onInterrupt);
        m_previousTerminate = std::signal(SIGTERM, onInterrupt);
    }
    ~InterruptCatcher()
    {
        std::signal(SIGINT, m_previousInterrupt == SIG_ERR ? SIG_DFL : m_previousInterrupt);
        std::signal(SIGTERM, m_previousTerminate == SIG_ERR ? SIG_DFL : m_previousTerminate);
    }
    InterruptCatcher(const InterruptCatcher &) = delete;
    InterruptCatcher &operator=(const InterruptCatcher &) = delete;

private:
    void (*m_previousInterrupt)(int);
    void (*m_previousTerminate)(int);
};

bool standardErrorIsATerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

void say(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

QString programName()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("chaos-game") : name;
}

} // namespace

int runExport(const ExportRequest &request)
{
    const QString program = programName();
    const QString path = QDir::toNativeSeparators(request.file);
    const bool onTerminal = standardErrorIsATerminal();
    const auto fail = [&](int status, const QString &why) {
        if (onTerminal)
            say(QStringLiteral("\r\033[K"));
        say(QStringLiteral("%1: %2\n").arg(program, why));
        return status;
    };

    PosterJob job = request.job;
    job.seed = request.seed ? *request.seed : QRandomGenerator::system()->generate64();
    if (job.threads <= 0)
        job.threads = std::max(1, QThread::idealThreadCount());

    // The file is opened first, so that a path that cannot be written to is
    // told at once, not after the drawing. It stays a temporary file beside
    // the named one until the whole picture is in it.
    PictureFile file(request.file, request.format);
    if (const QString problem = file.open(); !problem.isEmpty())
        return fail(2, QStringLiteral("Cannot write the picture to '%1': %2").arg(path, problem));

    InterruptCatcher catcher;
    QElapsedTimer sinceShown;
    sinceShown.start();
    const auto showProgress = [&](std::uint64_t done, std::uint64_t total) {
        if (!onTerminal || sinceShown.elapsed() < 200)
            return;
        sinceShown.restart();
        say(QStringLiteral("\r%1: drawing %2 dots into %3: %4%\033[K")
                .arg(program, QLocale::system().toString(qulonglong(total)), path)
                .arg(int(100.0 * double(done) / double(total ? total : 1))));
    };
    const PosterResult result = renderPoster(job, interrupted, showProgress);
    if (result.outcome == PosterResult::Outcome::Cancelled) {
        file.cancel();
        return fail(kInterruptedStatus, QStringLiteral("Interrupted: no picture written."));
    }
    if (result.outcome == PosterResult::Outcome::OutOfMemory) {
        file.cancel();
        return fail(1, QStringLiteral("Not enough memory for a picture of %1x%2 pixels.")
                           .arg(job.size.width())
                           .arg(job.size.height()));
    }

    if (onTerminal)
        say(QStringLiteral("\r%1: writing %2\033[K").arg(program, path));
    const PictureFile::Outcome outcome =
        file.write(result.image, [&job](QImageWriter &writer) { addPictureNote(writer, job); }, &interrupted);
    if (outcome == PictureFile::Outcome::Stopped)
        return fail(kInterruptedStatus, QStringLiteral("Interrupted: no picture written."));
    if (outcome == PictureFile::Outcome::Failed)
        return fail(1, QStringLiteral("Could not write the picture to '%1': %2").arg(path, file.failure()));
    if (!file.permissionsKept())
        say(QStringLiteral("%1: the picture was written to '%2', but its permissions could not be kept.\n")
                .arg(program, path));
    if (onTerminal) {
        say(QStringLiteral("\r%1: wrote %2 (%3x%4, %5 dots, seed %6)\033[K\n")
                .arg(program, path)
                .arg(job.size.width())
                .arg(job.size.height())
                .arg(QLocale::system().toString(qulonglong(job.dots)))
                .arg(job.seed));
    }
    return 0;
}
