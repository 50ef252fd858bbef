// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/trianglegame.h"

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "picture/easel.h"
#include "picture/numbertext.h"
#include "games/clock.h"
#include "games/halfwaygame.h"


ModeTask playTriangleGame(ModeContext &mode)
{
    Easel &canvas = mode.canvas;
    FormState &form = mode.form;

    form.TrackingActive = FormValue::integer(0);
    mode.host.showScreenTwo(false);
    canvas.setDrawWidth(1);

    int countdown = 10;
    float readoutY = 300;

    canvas.setFontName(QString());
    canvas.setFontSize(10);
    canvas.setFontBold(false);
    canvas.clear();

    // The start point may lie anywhere on the canvas; it is not plotted.
    float x = static_cast<float>(drawOneTo(mode.random, 1000));
    float y = static_cast<float>(drawOneTo(mode.random, 750));

    // Half-way to the apex (475, 725), bottom left (50, 50) or bottom right (950, 50).
    auto moveTowards = [](int corner, float &x, float &y) {
        switch (corner) {
        case 1: x = x + (475 - x) / 2; y = y + (725 - y) / 2; break;
        case 2: x = x / 2 + 25;        y = y / 2 + 25;        break;
        case 3: x = x + (950 - x) / 2; y = y / 2 + 25;        break;
        }
    };

    // 500 blocks of 1000 dots; after each block its dots show and the game
    // pauses for one clock tick, and after every 50 pauses the next number
    // of the countdown appears, in a column at the right.
    int lastCorner = 0;
    for (int pause = 1; pause <= 500; ++pause) {
        lastCorner = playHalfWayGame(canvas, mode.random, 3, 1000, x, y, moveTowards);
        canvas.present();
        co_await mode.clock.nextTick();
        if (pause % 50 == 0) {
            --countdown;
            canvas.setCurrentPosition(950, readoutY);
            canvas.printLine(numberText(countdown));
            readoutY -= 15;
        }
    }
    form.PointX = FormValue::single(x);
    form.PointY = FormValue::single(y);
    form.Corner = FormValue::single(static_cast<float>(lastCorner));

    canvas.setCurrentPosition(935, 145);
    canvas.printLine(QStringLiteral("Complete"));
}
