// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/applicationface.h"

#include "picture/programface.h"

#include <QApplication>
#include <QFont>
#include <QList>

#include <utility>

void useProgramFaceInEveryWindow()
{
    const QString family = programFaceFamily(QString());
    const auto inProgramFace = [&family](QFont font) {
        font.setFamilies({family});
        font.setStyleHint(QFont::SansSerif);
        return font;
    };
    // The classes QApplication gives the platform theme's own fonts. Their
    // sizes are read first: setting the default font forgets them.
    QList<std::pair<const char *, QFont>> classFonts;
    for (const char *className :
         {"QMenu", "QMenuBar", "QMenuItem", "QMessageBox", "QLabel", "QTipLabel", "QStatusBar", "QTabButton",
          "QMdiSubWindowTitleBar", "QDockWidgetTitle", "QPushButton", "QCheckBox", "QRadioButton", "QToolButton",
          "QAbstractItemView", "QListView", "QHeaderView", "QListBox", "QComboMenuItem", "QComboLineEdit",
          "QSmallFont", "QMiniFont"}) {
        classFonts.append({className, inProgramFace(QApplication::font(className))});
    }
    QApplication::setFont(inProgramFace(QApplication::font()));
    for (const auto &[className, font] : classFonts)
        QApplication::setFont(font, className);
}
