// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/squaregame.h"

#include "games/halfwaygame.h"


void playSquareGame(ModeContext &mode)
{
    Easel &canvas = mode.canvas;

    mode.form.TrackingActive = FormValue::integer(0);
    canvas.setDrawWidth(1);
    mode.host.showScreenTwo(false);
    canvas.clear();

    // Half-way to one of the corners, in any order: the dots fill the square evenly.
    auto moveTowards = [](int corner, auto &x, auto &y) {
        static constexpr struct { int x, y; } corners[] = {
            {150, 40},  // 1 bottom left
            {850, 40},  // 2 bottom right
            {150, 700}, // 3 top left
            {850, 700}, // 4 top right
        };
        x = (x + corners[corner - 1].x) / 2;
        y = (y + corners[corner - 1].y) / 2;
    };
    const int lastCorner = continueHalfWayGame(mode, 4, 3000000, moveTowards);
    mode.form.Corner = FormValue::single(static_cast<float>(lastCorner));

    // In the face and weight the canvas already has.
    canvas.setCurrentPosition(330, 30);
    canvas.setFontSize(10);
    canvas.printLine(QStringLiteral("Complete"));
}
