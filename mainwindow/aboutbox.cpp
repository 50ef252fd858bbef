// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/aboutbox.h"

#include "program/programidentity.h"
#include "program/version.h"
#include "picture/programface.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AboutBox", text);
}

} // namespace

QString aboutText()
{
    const QString face = programFaceIsBuiltIn()
        ? tr("Its texts are set in Liberation Sans, which it carries: digitized data copyright &copy; 2010 "
             "Google Corporation, copyright &copy; 2012 Red Hat, Inc., under the SIL Open Font License, "
             "version 1.1 (OFL-1.1).")
        : tr("Its texts are set in Liberation Sans, installed with the system: digitized data copyright "
             "&copy; 2010 Google Corporation, copyright &copy; 2012 Red Hat, Inc., under the SIL Open Font "
             "License, version 1.1 (OFL-1.1).");
    return tr("<h3>%1 %2</h3>"
              "<p>A classroom program about chaos theory: a point moves, step after step, half-way towards a "
              "corner picked at random, and the Sierpinski triangle grows out of that rule, dot by dot.</p>"
              "<p>Copyright &copy; %3 %4.<br>"
              "Licensed under the GNU General Public License, version 3 or later (GPL-3.0-or-later). "
              "This is free software: you are free to change and redistribute it. "
              "There is NO WARRANTY, to the extent permitted by law.</p>"
              "<p>%5</p>"
              "<p>It uses Qt %6 (built with Qt %7), under the GNU Lesser General Public License, "
              "version 3 (LGPL-3.0).</p>"
              "<p>Its source code: <a href=\"https://example.org/chaos-game/\">https://example.org/chaos-game/</a>; "
              "the Windows zip carries it too, with SOURCE.txt on how to build it again.</p>")
        .arg(programDisplayName(), QString::fromLatin1(programVersion),
             QString::fromLatin1(programReleaseDate).left(4), QCoreApplication::organizationName().toHtmlEscaped(),
             face, QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
}

namespace {

// A box with the program's icon and one OK button, as the standard about box
// has, opened without waiting for it to close.
void openInfoBox(QWidget *parent, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    const QIcon icon = parent ? parent->windowIcon() : QIcon();
    if (!icon.isNull())
        box->setIconPixmap(icon.pixmap(64));
    box->open();
}

} // namespace

void showAboutBox(QWidget *parent)
{
    openInfoBox(parent, tr("About %1").arg(programDisplayName()), aboutText());
}

void showAboutQt(QWidget *parent)
{
    openInfoBox(parent, tr("About Qt"),
                tr("<h3>About Qt</h3><p>This program uses Qt version %1.</p>"
                   "<p>Qt is a C++ toolkit for cross-platform application development, available under the "
                   "GNU Lesser General Public License version 3 and other licences. Qt and its source: "
                   "<a href=\"https://www.qt.io/\">qt.io</a>.</p><p>Copyright (C) The Qt Company Ltd. and other "
                   "contributors.</p>")
                    .arg(QString::fromLatin1(qVersion())));
}
