// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/explorerlaunch.h"

#include "mainwindow/fullscreen.h"
#include "mainwindow/picturesharing.h"
#include "program/programicon.h"
#include "explorer/explorerwindow.h"

#include <QMessageBox>

#include <memory>

ExplorerWindow *showExplorer(QPointer<ExplorerWindow> &open, const QString &file)
{
    if (!open) {
        // PictureSharing reports a failed save over the Explorer; it lives
        // as long as the Explorer's writer does.
        auto sharing = std::make_shared<PictureSharing>(nullptr);
        open = new ExplorerWindow(
            [sharing](const QImage &picture, const QString &path) { return sharing->saveTo(picture, path); });
        *sharing = PictureSharing(open);
        open->setWindowIcon(programIcon());
        // F11 for the projector, as in the main window.
        FullScreenToggle::install(*open);
        open->resize(open->sizeHint());
    }
    open->show();
    open->raise();
    open->activateWindow();
    if (!file.isEmpty()) {
        const QString problem = open->openExploration(file);
        if (!problem.isEmpty()) {
            auto *box = new QMessageBox(QMessageBox::Warning, ExplorerWindow::tr("Open Exploration"), problem,
                                        QMessageBox::Ok, open);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->setWindowModality(Qt::WindowModal);
            box->open();
        }
    }
    return open;
}
