#pragma once

#include <QFont>

// The face the windows' controls and labels were laid out in: the
// platform's dialog face on the desktop the layout was made for, whose
// captions fit their buttons only at that face's widths. Here the face with
// Arial's metrics (Liberation Sans) stands in for it; the usual sans-serif
// default, DejaVu Sans, is a fifth wider and would cut captions off.
QFont dialogFont(double points, bool bold = false);
