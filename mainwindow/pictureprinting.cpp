// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/pictureprinting.h"

#include "mainwindow/picturesharing.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

void printPicture(const QImage &picture, const QString &modeName, QWidget *window)
{
    // The printer lives as long as the dialog that sets it up.
    auto *dialog = new QPrintDialog(new QPrinter(QPrinter::HighResolution), window);
    QPrinter *printer = dialog->printer();
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QObject::destroyed, [printer] { delete printer; });
    // Names the print job, and the PDF file when printing to one:
    // chaos-game-triangle, as a saved picture is named.
    printer->setDocName(QFileInfo(PictureSharing::suggestedFileName(modeName)).completeBaseName());
    // The picture is wider than tall: offered across the page.
    printer->setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait);

    dialog->setWindowTitle(QCoreApplication::translate("PicturePrinting", "Print Picture"));
    dialog->setOption(QAbstractPrintDialog::PrintToFile);
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    QObject::connect(dialog, &QDialog::accepted, dialog, [dialog, printer, picture, window] {
        if (printPictureOn(*printer, picture))
            return;
        auto *box = new QMessageBox(QMessageBox::Warning, dialog->windowTitle(),
                                    QCoreApplication::translate("PicturePrinting", "The picture could not be printed."),
                                    QMessageBox::Ok, window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    dialog->open();
}

bool printPictureOn(QPrinter &printer, const QImage &picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    QRect place(QPoint(0, 0), picture.size().scaled(page.size(), Qt::KeepAspectRatio));
    place.moveCenter(page.center());
    // Scaled without smoothing, and stored without lossy compression on the
    // way to the printer (which takes a PDF), so that single dots stay sharp.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(place, picture);
    return painter.end();
}
