// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/picturesharing.h"

#include "program/settings.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The formats offered in the file dialog, each with the extension added to
// a name typed without one.
struct PictureFormat
{
    const char *filter;
    const char *suffix;
};
const PictureFormat kFormats[] = {
    {QT_TRANSLATE_NOOP("PictureSharing", "PNG image (*.png)"), "png"},
    {QT_TRANSLATE_NOOP("PictureSharing", "JPEG image (*.jpg *.jpeg)"), "jpg"},
    {QT_TRANSLATE_NOOP("PictureSharing", "BMP image (*.bmp)"), "bmp"},
};

// JPEG blurs single dots at its usual quality; this keeps the figure sharp.
constexpr int kJpegQuality = 95;

// Where the file dialog opens: the folder last saved to, also in an earlier
// run, while it is there; else the user's pictures folder.
QString startFolder()
{
    const QString last = Settings().saveFolder();
    if (!last.isEmpty() && QDir(last).exists())
        return last;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

} // namespace

QString PictureSharing::suggestedFileName(const QString &modeName)
{
    return modeName.isEmpty() ? QStringLiteral("chaos-game.png")
                              : QStringLiteral("chaos-game-%1.png").arg(modeName);
}

QByteArray PictureSharing::formatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty() || suffix == QLatin1String("png"))
        return QByteArrayLiteral("png");
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return QByteArrayLiteral("jpeg");
    if (suffix == QLatin1String("bmp"))
        return QByteArrayLiteral("bmp");
    return QByteArray();
}

void PictureSharing::saveAs(const QImage &picture, const QString &modeName)
{
    QStringList filters;
    for (const PictureFormat &format : kFormats)
        filters.append(tr(format.filter));

    auto *dialog = new QFileDialog(m_window, tr("Save Picture As"), startFolder());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(QLatin1String(kFormats[0].suffix));
    dialog->selectFile(suggestedFileName(modeName));
    // A name typed without an extension takes that of the chosen format.
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog, filters](const QString &filter) {
        const auto chosen = filters.indexOf(filter);
        if (chosen >= 0)
            dialog->setDefaultSuffix(QLatin1String(kFormats[chosen].suffix));
    });
    // The picture as it was when asked for, saved once the dialog is accepted.
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [this, picture](const QString &path) { saveTo(picture, path); });
    dialog->open();
}

bool PictureSharing::saveTo(const QImage &picture, const QString &path)
{
    const QString failure = write(picture, path);
    if (failure.isEmpty()) {
        Settings().setSaveFolder(QFileInfo(path).absolutePath());
        return true;
    }

    auto *box = new QMessageBox(QMessageBox::Warning, tr("Save Picture As"),
                                tr("The picture could not be saved as %1.").arg(QDir::toNativeSeparators(path)),
                                QMessageBox::Ok, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(failure);
    box->open();
    return false;
}

QString PictureSharing::write(const QImage &picture, const QString &path)
{
    const QByteArray format = formatFor(path);
    if (format.isEmpty())
        return tr("Pictures are saved as PNG (.png), JPEG (.jpg, .jpeg) or BMP (.bmp) files.");
    const QFileInfo target(path);
    if (target.isDir())
        return tr("A folder has that name.");
    // Devices, pipes and the like are not picture files; writing to one
    // could hang or replace it.
    if (target.exists() && !target.isFile())
        return tr("It is not an ordinary file.");

    // Encoded in memory first, so that only writing the file can fail on the
    // way to the disk, and a failure there says why.
    QByteArray encoded;
    {
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        if (format == "jpeg")
            writer.setQuality(kJpegQuality);
        if (!writer.write(picture))
            return writer.errorString();
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // A short write is tried again, which tells why it stopped (a full disk,
    // say); such a cause may also show only once the buffer is flushed.
    const char *next = encoded.constData();
    qint64 left = encoded.size();
    while (left > 0) {
        const qint64 written = file.write(next, left);
        if (written <= 0)
            break;
        next += written;
        left -= written;
    }
    if (left > 0 || !file.flush()) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : tr("Not all of the picture could be written.");
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

void PictureSharing::copy(const QImage &picture)
{
    QGuiApplication::clipboard()->setImage(picture);
}
