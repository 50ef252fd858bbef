// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/ordinaryfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString ordinaryFileProblem(const QString &path, qint64 mostBytes)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("OrdinaryFile", text); };
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo file(path);
    if (!file.exists())
        return tr("Cannot read %1: there is no such file.").arg(shown);
    if (file.isDir())
        return tr("Cannot read %1: it is a folder.").arg(shown);
    // QFileInfo::isFile() holds for ordinary files (and links to them) only.
    if (!file.isFile())
        return tr("Cannot read %1: it is not an ordinary file (a named pipe or a device, say).").arg(shown);
    if (file.size() > mostBytes)
        return tr("Cannot read %1: at %2 bytes it is too large (at most %3).")
            .arg(shown)
            .arg(file.size())
            .arg(mostBytes);
    return QString();
}
