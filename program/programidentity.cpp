// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/programidentity.h"

#include "program/version.h"

#include <QCoreApplication>

QString programId()
{
    return QStringLiteral("chaos-game");
}

QString programDisplayName()
{
    return QCoreApplication::translate("ProgramIdentity", "The Chaos Game");
}

void describeProgram()
{
    // The application's name is the class part of the windows' WM_CLASS on
    // X11, which the launcher entry names as its StartupWMClass. The display
    // name is not handed to Qt: Qt would add it to the title of every
    // window not already ending in it, so that the "Error" box, say, would
    // be titled "Error - The Chaos Game"; the windows carry their own titles.
    QCoreApplication::setApplicationName(programId());
    QCoreApplication::setApplicationVersion(QString::fromLatin1(programVersion));
    QCoreApplication::setOrganizationName(QStringLiteral("The Chaos Game developers"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("example.org"));
}
