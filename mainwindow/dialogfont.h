// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The face the windows' controls and labels were laid out in: the
// platform's dialog face on the desktop the layout was made for, whose
// captions fit their buttons only at that face's widths. The program's own
// face, with Arial's metrics, stands in for it (see programFaceFamily()).
QFont dialogFont(double points, bool bold = false);
