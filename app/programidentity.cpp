// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programidentity.h"

#include "app/version.h"

#include <QCoreApplication>

void describeProgram()
{
    // The name is also the class part of the windows' WM_CLASS on X11,
    // which the launcher entry names as its StartupWMClass.
    QCoreApplication::setApplicationName(QStringLiteral("The Chaos Game"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(programVersion));
    QCoreApplication::setOrganizationName(QStringLiteral("The Chaos Game developers"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("example.org"));
}
