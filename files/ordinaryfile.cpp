// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ordinaryfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

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

QString settingsFilesProblem(const QString &organisation, const QString &application, qint64 mostBytes)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Where QSettings looks on Unix: in each configuration folder, the
    // application's file in the organisation's folder, then the
    // organisation's own file.
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    for (const QString &folder : folders) {
        for (const QString &file : {QStringLiteral("%1/%2/%3.conf").arg(folder, organisation, application),
                                    QStringLiteral("%1/%2.conf").arg(folder, organisation)}) {
            if (!QFileInfo(file).exists() && !QFileInfo(file).isSymLink())
                continue;
            const QString problem = ordinaryFileProblem(file, mostBytes);
            if (!problem.isEmpty())
                return problem;
        }
    }
#else
    Q_UNUSED(organisation)
    Q_UNUSED(application)
    Q_UNUSED(mostBytes)
#endif
    return QString();
}
