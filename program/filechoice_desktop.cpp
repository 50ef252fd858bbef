// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/filechoice.h"

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
        dialog->setDefaultSuffix(filters.first().section(QLatin1String("*."), 1, 1).section(QLatin1Char(' '), 0, 0)
                                     .remove(QLatin1Char(')')));
        dialog->selectFile(name);
    }
    QObject::connect(dialog, &QFileDialog::fileSelected, window, chosen);
    dialog->open();
}

void fileWritten(const QString &)
{
}
