// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/picturecopy.h"

#include "program/platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>

void copyPictureToClipboard(const QImage &picture, QWidget *window)
{
    if (!Platform::canCopyPictures()) {
        const char *context = "copyPictureToClipboard";
        auto *box = new QMessageBox(QMessageBox::Information, QCoreApplication::translate(context, "Copy Picture"),
                                    QCoreApplication::translate(context,
                                                                "This browser does not let the page put pictures "
                                                                "on the clipboard. Save the picture (Ctrl+S) and "
                                                                "insert the saved file instead."),
                                    QMessageBox::Ok, window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    QGuiApplication::clipboard()->setImage(picture);
}
