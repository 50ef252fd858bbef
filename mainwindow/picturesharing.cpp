// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/picturesharing.h"

#include "program/filechoice.h"
#include "program/picturecopy.h"
#include "program/settings.h"
#include "files/picturefile.h"
#include "files/pictureformats.h"
#include "files/startfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

QString PictureSharing::suggestedFileName(const QString &modeName)
{
    return modeName.isEmpty() ? QStringLiteral("chaos-game.png")
                              : QStringLiteral("chaos-game-%1.png").arg(modeName);
}

void PictureSharing::saveAs(const QImage &picture, const QString &modeName)
{
    // The picture as it was when asked for, saved once the dialog is accepted.
    askForFile(m_window, tr("Save Picture As"), startFolder(Settings().saveFolder()), suggestedFileName(modeName),
               pictureFilters(), true, [this, picture](const QString &path) {
                   if (saveTo(picture, path))
                       fileWritten(path);
               });
}

bool PictureSharing::saveTo(const QImage &picture, const QString &path)
{
    const QString failure = writePicture(picture, path);
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

void PictureSharing::copy(const QImage &picture)
{
    copyPictureToClipboard(picture, m_window);
}
