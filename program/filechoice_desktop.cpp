// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/filechoice.h"

#include "files/pictureformats.h"

#include <QFileDialog>

void askForFile(QWidget *window, const QString &title, const QString &folder, const QString &name,
                const QStringList &filters, bool saving, const std::function<void(const QString &)> &chosen)
{
    auto *dialog = new QFileDialog(window, title, folder);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog->setNameFilters(filters);
    if (saving) {
        // A name typed without an extension takes that of the chosen filter.
        dialog->setDefaultSuffix(defaultSuffixOf(filters.first()));
        QObject::connect(dialog, &QFileDialog::filterSelected, dialog,
                         [dialog](const QString &filter) { dialog->setDefaultSuffix(defaultSuffixOf(filter)); });
        dialog->selectFile(name);
    }
    // The dialog, a child of the window, goes with it: `chosen` is never
    // called once the window is gone.
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog, chosen);
    dialog->open();
}

void fileWritten(const QString &)
{
}
