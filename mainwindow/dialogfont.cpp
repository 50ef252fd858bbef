// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dialogfont.h"

#include "picture/programface.h"

QFont dialogFont(double points, bool bold)
{
    QFont font(programFaceFamily(QStringLiteral("Arial")));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
