// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

class QPainter;
class QRectF;

// The program's icon: a Sierpinski triangle, the figure the triangle game
// grows, dark on a light rounded tile. Drawn by code, so that the window
// icon, the installed PNG sizes and the SVG are one picture.

// How many times the triangle is divided at a size in pixels: fewer at
// small sizes, where finer holes would blur to grey.
int programIconDepth(int pixels);

// Paints the icon into `area` at the given depth.
void paintProgramIcon(QPainter &painter, const QRectF &area, int depth);

// The icon as the windows show it, at the usual sizes.
QIcon programIcon();

// The icon as an SVG document, for the installed scalable icon.
QString programIconSvg();
