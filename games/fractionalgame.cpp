// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/fractionalgame.h"

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "picture/easel.h"
#include "games/leadingnumber.h"
#include "games/randomsource.h"
#include "games/randomwalk.h"

void playFractionSteps(Easel &canvas, RandomSource &random, float fraction, long steps, float &x, float &y)
{
    // Apex (500, 725), bottom left (50, 50), bottom right (975, 50): the
    // base runs further right than the apex's x would centre.
    static constexpr struct { int x, y; } corners[] = {{500, 725}, {50, 50}, {975, 50}};
    walkAndPlot(canvas, random, steps, x, y, [fraction](auto &draws, float &x, float &y) {
        const int corner = drawOneTo(draws, 3);
        x = x + fraction * (corners[corner - 1].x - x);
        y = y + fraction * (corners[corner - 1].y - y);
        return corner;
    });
}

ModeTask playFractionalGame(ModeContext &mode)
{
    Easel &canvas = mode.canvas;

    mode.form.TrackingActive = FormValue::integer(0);
    canvas.setDrawWidth(1);
    mode.host.showScreenTwo(false);
    canvas.clear();

    // The start point may lie anywhere on the canvas; it is not plotted.
    float x = static_cast<float>(drawOneTo(mode.random, 1000));
    float y = static_cast<float>(drawOneTo(mode.random, 750));
    mode.form.PointX = FormValue::single(x);
    mode.form.PointY = FormValue::single(y);

    // The cleared canvas shows before the box opens over it.
    canvas.present();

    // Cancel gives empty text, which reads as 0 and is refused below.
    const QString answer = co_await CallbackAwaiter<QString>(
        [&mode](QObject *context, std::function<void(QString)> answer) { mode.host.askFraction(context, answer); });
    const QByteArray typed = answer.toUtf8();
    float fraction = leadingNumberAsSingle(std::string_view(typed.constData(), std::size_t(typed.size())));
    if (!(fraction >= 0.000000001f && fraction <= 0.9999f)) {
        co_await CallbackAwaiter<bool>([&mode](QObject *context, std::function<void(bool)> closed) {
            mode.host.refuseFraction(context, [closed] { closed(true); });
        });
        fraction = 0.5f;
    }

    playFractionSteps(canvas, mode.random, fraction, 700000, x, y);
    mode.form.PointX = FormValue::single(x);
    mode.form.PointY = FormValue::single(y);

    canvas.setCurrentPosition(650, 30);
    canvas.setFontSize(10);
    canvas.setFontBold(false);
    canvas.printLine(QStringLiteral("Complete"));
}
