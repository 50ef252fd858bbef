// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// What the About box says: the program's name and version, its copyright
// and licence (GPL-3.0-or-later), the face its texts are set in with that
// face's licence (OFL-1.1), and the version and licence of Qt.
QString aboutText();

// Opens the About box over `parent`; it closes itself.
void showAboutBox(QWidget *parent);
// Opens a box naming the version of Qt the program runs on and its licence.
void showAboutQt(QWidget *parent);
