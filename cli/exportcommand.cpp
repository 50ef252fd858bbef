// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/exportcommand.h"

#include "cli/picturenote.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QLocale>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <optional>
#include <cstdio>

#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

constexpr int kJpegQuality = 95; // as Save Picture As: single dots stay sharp
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

// Passes writes on to the file until an interrupt, then fails them, so the
// image writer gives up at once rather than encoding a poster to the end.
// Unbuffered, like the file under it, so that a write that fails (a full
// disk) fails at once and the file's error says why.
class InterruptibleDevice : public QIODevice
{
public:
    explicit InterruptibleDevice(QFileDevice &file) : m_file(file) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

    // Why the last write failed, as the system said it; empty if none did.
    QString failure() const { return m_failure; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (interrupted.load())
            return -1;
        qint64 done = 0;
        while (done < size) {
            const qint64 written = m_file.write(data + done, size - done);
            if (written <= 0) {
                m_failure = m_file.error() != QFileDevice::NoError ? m_file.errorString() : QString();
                return -1;
            }
            done += written;
        }
        return done;
    }

private:
    QFileDevice &m_file;
    QString m_failure;
};

// The image libraries' own complaints ("libpng error: Write Error", written
// straight to standard error) say less than the export's message, which
// names the file and the system's reason: while it lives, standard error
// goes nowhere. Nothing else writes there meanwhile: the export's own
// messages come before and after.
class StandardErrorSilenced
{
public:
    StandardErrorSilenced()
    {
        std::fflush(stderr);
#ifdef Q_OS_WIN
        const int standardError = _fileno(stderr);
        m_saved = _dup(standardError);
        const int nowhere = _open("NUL", _O_WRONLY);
        if (m_saved >= 0 && nowhere >= 0)
            _dup2(nowhere, standardError);
        if (nowhere >= 0)
            _close(nowhere);
#else
        const int standardError = fileno(stderr);
        m_saved = dup(standardError);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && nowhere >= 0)
            dup2(nowhere, standardError);
        if (nowhere >= 0)
            close(nowhere);
#endif
    }
    ~StandardErrorSilenced()
    {
        std::fflush(stderr);
        if (m_saved < 0)
            return;
#ifdef Q_OS_WIN
        _dup2(m_saved, _fileno(stderr));
        _close(m_saved);
#else
        dup2(m_saved, fileno(stderr));
        close(m_saved);
#endif
    }
    StandardErrorSilenced(const StandardErrorSilenced &) = delete;
    StandardErrorSilenced &operator=(const StandardErrorSilenced &) = delete;

private:
    int m_saved = -1;
};

// The permissions of the file the picture replaces, to give back to the
// new one: replacing a read-only picture leaves a read-only picture.
std::optional<QFileDevice::Permissions> permissionsToKeep(const QString &path)
{
    const QFileInfo existing(path);
    if (!existing.exists())
        return std::nullopt;
    // Only the owner's, the group's and others': the "user" ones say what
    // this user may do (everything, for root), not what the file allows.
    return existing.permissions()
        & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
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
    const QFileInfo target(request.file);
    if (target.isDir())
        return fail(2, QStringLiteral("Cannot write the picture to '%1': it is a folder.").arg(path));
    if (target.exists() && !target.isFile())
        return fail(2, QStringLiteral("Cannot write the picture to '%1': it is not an ordinary file.").arg(path));
    const std::optional<QFileDevice::Permissions> keptPermissions = permissionsToKeep(request.file);
    QSaveFile file(request.file);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(2, QStringLiteral("Cannot write the picture to '%1': %2").arg(path, file.errorString()));

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
        file.cancelWriting();
        return fail(kInterruptedStatus, QStringLiteral("Interrupted: no picture written."));
    }
    if (result.outcome == PosterResult::Outcome::OutOfMemory) {
        file.cancelWriting();
        return fail(1, QStringLiteral("Not enough memory for a picture of %1x%2 pixels.")
                           .arg(job.size.width())
                           .arg(job.size.height()));
    }

    if (onTerminal)
        say(QStringLiteral("\r%1: writing %2\033[K").arg(program, path));
    InterruptibleDevice device(file);
    QImageWriter writer(&device, request.format);
    if (request.format == "jpeg")
        writer.setQuality(kJpegQuality);
    addPictureNote(writer, job);
    bool written = false;
    {
        const StandardErrorSilenced silenced;
        written = writer.write(result.image) && file.flush();
    }
    if (interrupted.load()) {
        file.cancelWriting();
        return fail(kInterruptedStatus, QStringLiteral("Interrupted: no picture written."));
    }
    if (!written) {
        const QString why = !device.failure().isEmpty()           ? device.failure()
                          : file.error() != QFileDevice::NoError ? file.errorString()
                                                                  : writer.errorString();
        file.cancelWriting();
        return fail(1, QStringLiteral("Could not write the picture to '%1': %2").arg(path, why));
    }
    if (!file.commit())
        return fail(1, QStringLiteral("Could not write the picture to '%1': %2").arg(path, file.errorString()));
    if (keptPermissions && !QFile::setPermissions(request.file, *keptPermissions))
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
