// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// What the About box says: the program's name and version, its copyright
// and licence (GPL-3.0-or-later), the face its texts are set in with that
// face's licence (OFL-1.1), and the version and licence of Qt.
QString aboutText();

// Shows the About box over `parent` and waits until it is closed.
void showAboutBox(QWidget *parent);
