// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/hexagongame.h"

#include "games/halfwaygame.h"


void playHexagonalGame(ModeContext &mode)
{
    Easel &canvas = mode.canvas;

    mode.form.TrackingActive = FormValue::integer(0);
    canvas.setDrawWidth(1);
    mode.host.showScreenTwo(false);
    canvas.clear();

    // Half-way to one of six corners. They are not a regular hexagon: the
    // top and bottom edges centre on x = 490, the side points on x = 500,
    // and the side points stand at y = 350.
    auto moveTowards = [](int corner, auto &x, auto &y) {
        static constexpr struct { int x, y; } corners[] = {
            {330, 50},  // 1 bottom edge, left end
            {650, 50},  // 2 bottom edge, right end
            {150, 350}, // 3 left point
            {850, 350}, // 4 right point
            {330, 700}, // 5 top edge, left end
            {650, 700}, // 6 top edge, right end
        };
        x = (x + corners[corner - 1].x) / 2;
        y = (y + corners[corner - 1].y) / 2;
    };
    // The corner is drawn for each step only; `Corner` keeps what it held.
    continueHalfWayGame(mode, 6, 3000000, moveTowards);

    // In the face and weight the canvas already has.
    canvas.setCurrentPosition(490, 30);
    canvas.setFontSize(10);
    canvas.printLine(QStringLiteral("Complete"));
}
