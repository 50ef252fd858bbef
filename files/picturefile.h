// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFileDevice>
#include <QSaveFile>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

class QImage;
class QImageWriter;

// Writes one picture file whole or not at all: the picture goes into a
// temporary file beside the named one, which replaces it only once all of
// it is written, so a failure (a full disk, say) leaves no partial file and
// the old picture, if any, as it was. A replaced picture keeps its
// permissions. A failure says the system's reason ("No space left on
// device"); the image libraries' own complaints, which say less, are kept
// off standard error meanwhile.
//
// open() comes first and may come long before write(), so that a path that
// cannot be written to is told before a long drawing.
class PictureFile
{
    Q_DECLARE_TR_FUNCTIONS(PictureFile)

public:
    enum class Outcome { Written, Failed, Stopped };

    // `format` as pictureFormatFor() names it; by default that of the
    // path's extension.
    explicit PictureFile(const QString &path, const QByteArray &format = QByteArray());
    ~PictureFile();
    PictureFile(const PictureFile &) = delete;
    PictureFile &operator=(const PictureFile &) = delete;

    // Why the picture cannot go to the path (no picture format, a folder,
    // no ordinary file, a folder that is not there or not writable), or
    // nothing when the temporary file is open.
    QString open();
    // Encodes the picture into the file and puts the file in place.
    // `prepare` may add to the writer (a note, say); once `stop` is set the
    // writing gives up and leaves nothing. After a failure, failure() says
    // why.
    Outcome write(const QImage &picture, const std::function<void(QImageWriter &)> &prepare = {},
                  const std::atomic<bool> *stop = nullptr);
    QString failure() const { return m_failure; }
    // False when the picture replaced one whose permissions it could not
    // take over.
    bool permissionsKept() const { return m_permissionsKept; }
    // Leaves no file; a picture already there stays as it was.
    void cancel();

private:
    QString m_path;
    QByteArray m_format;
    QSaveFile m_file;
    std::optional<QFileDevice::Permissions> m_keptPermissions;
    QString m_failure;
    bool m_permissionsKept = true;
};

// Why nothing can be written to `path`: a folder, or something other than
// an ordinary file (a named pipe or a device, which writing could hang on
// or replace); nothing when a picture may go there.
QString pictureTargetProblem(const QString &path);

// Writes the picture to `path` in one go; returns why it failed, or nothing.
QString writePicture(const QImage &picture, const QString &path);
