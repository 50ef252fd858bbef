// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/startfolder.h"

#include <QDir>
#include <QStandardPaths>

QString startFolder(const QString &remembered)
{
    if (!remembered.isEmpty() && QDir(remembered).exists())
        return remembered;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}
