// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QtGlobal>

// Where user coordinates land on the pixels of a picture: the user
// coordinates of the picture's top-left corner and how many pixels one unit
// spans in each direction (negative where the coordinate grows the other
// way, as y does, upwards). Every dot of every picture goes through it.
struct PixelMapping
{
    double left = 0, top = 0;
    double perUnitX = 1, perUnitY = 1;
    double columns = 0, rows = 0; // the picture's size, for clipping

    // A picture of `pixels` whose top-left corner has the user coordinates
    // (left, top) and whose bottom-right corner has (right, bottom).
    static PixelMapping of(QSize pixels, double left, double top, double right, double bottom)
    {
        return {left, top, pixels.width() / (right - left), pixels.height() / (bottom - top), double(pixels.width()),
                double(pixels.height())};
    }

    // Whether (x, y) lies on a pixel, and which. Written so that a point
    // that is no number lies on none: it is clipped silently.
    bool find(double x, double y, qsizetype &column, qsizetype &row) const
    {
        const double c = (x - left) * perUnitX;
        const double r = (y - top) * perUnitY;
        if (c >= 0 && c < columns && r >= 0 && r < rows) {
            column = static_cast<qsizetype>(c);
            row = static_cast<qsizetype>(r);
            return true;
        }
        return false;
    }
};
