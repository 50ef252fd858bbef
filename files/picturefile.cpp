// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/picturefile.h"

#include "files/pictureformats.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <cstdio>

#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Passes writes on to the file until `stop` is set, then fails them, so the
// image writer gives up at once rather than encoding a poster to the end.
// Unbuffered, like the file under it, so that a write that fails (a full
// disk) fails at once and the file's error says why.
class StoppableDevice : public QIODevice
{
public:
    StoppableDevice(QFileDevice &file, const std::atomic<bool> *stop) : m_file(file), m_stop(stop)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    // Why the last write failed, as the system said it; empty if none did.
    QString failure() const { return m_failure; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_stop && m_stop->load())
            return -1;
        // A short write is tried again, which tells why it stopped.
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
    const std::atomic<bool> *m_stop;
    QString m_failure;
};

// The image libraries' own complaints ("libpng error: Write Error", written
// straight to standard error) say less than the program's message, which
// names the file and the system's reason: while it lives, standard error
// goes nowhere. It lives only while one picture is encoded.
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
    return existing.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

} // namespace

QString pictureTargetProblem(const QString &path)
{
    const QFileInfo target(path);
    if (target.isDir())
        return PictureFile::tr("A folder has that name.");
    // QFileInfo::isFile() holds for ordinary files (and links to them) only.
    if (target.exists() && !target.isFile())
        return PictureFile::tr("It is not an ordinary file.");
    return QString();
}

PictureFile::PictureFile(const QString &path, const QByteArray &format)
    : m_path(path), m_format(format.isEmpty() ? pictureFormatFor(path) : format), m_file(path)
{
}

PictureFile::~PictureFile()
{
    cancel();
}

QString PictureFile::open()
{
    if (m_format.isEmpty())
        return unknownPictureFormatText();
    if (const QString problem = pictureTargetProblem(m_path); !problem.isEmpty())
        return problem;
    m_keptPermissions = permissionsToKeep(m_path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return m_file.errorString();
    return QString();
}

PictureFile::Outcome PictureFile::write(const QImage &picture, const std::function<void(QImageWriter &)> &prepare,
                                        const std::atomic<bool> *stop)
{
    if (!m_file.isOpen()) {
        m_failure = open();
        if (!m_failure.isEmpty())
            return Outcome::Failed;
    }
    StoppableDevice device(m_file, stop);
    QImageWriter writer(&device, m_format);
    if (m_format == "jpeg")
        writer.setQuality(kJpegQuality);
    if (prepare)
        prepare(writer);
    bool written = false;
    {
        const StandardErrorSilenced silenced;
        written = writer.write(picture) && m_file.flush();
    }
    if (stop && stop->load()) {
        cancel();
        return Outcome::Stopped;
    }
    if (!written) {
        m_failure = !device.failure().isEmpty()            ? device.failure()
                  : m_file.error() != QFileDevice::NoError ? m_file.errorString()
                  : !writer.errorString().isEmpty()        ? writer.errorString()
                                                           : tr("Not all of the picture could be written.");
        cancel();
        return Outcome::Failed;
    }
    if (!m_file.commit()) {
        m_failure = m_file.errorString();
        return Outcome::Failed;
    }
    if (m_keptPermissions)
        m_permissionsKept = QFile::setPermissions(m_path, *m_keptPermissions);
    return Outcome::Written;
}

void PictureFile::cancel()
{
    // The temporary file goes when m_file does.
    if (m_file.isOpen())
        m_file.cancelWriting();
}

QString writePicture(const QImage &picture, const QString &path)
{
    PictureFile file(path);
    if (const QString problem = file.open(); !problem.isEmpty())
        return problem;
    return file.write(picture) == PictureFile::Outcome::Written ? QString() : file.failure();
}
