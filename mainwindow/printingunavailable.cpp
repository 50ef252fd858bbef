// SPDX-License-Identifier: GPL-3.0-or-later
// Printing where the program is built without it (in a web browser): the
// picture can still be saved and printed from there. The windows leave
// Print out where Platform::canPrint() says so; this answers if asked.
#include "mainwindow/pictureprinting.h"

#include <QCoreApplication>
#include <QMessageBox>

void printPicture(const QImage &, const QString &, QWidget *window)
{
    auto *box = new QMessageBox(
        QMessageBox::Information, QCoreApplication::translate("PicturePrinting", "Print Picture"),
        QCoreApplication::translate("PicturePrinting",
                                    "This version of the program cannot print. Save the picture (Ctrl+S) and "
                                    "print the saved file."),
        QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}
