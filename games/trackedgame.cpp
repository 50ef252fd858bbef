// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/trackedgame.h"

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "picture/easel.h"
#include "picture/systemcolours.h"
#include "games/randomsource.h"


namespace {

struct TrackedCorner
{
    int x, y;               // where the corner stands
    const char *label;      // its number, printed beside it
    int labelX, labelY;
};

const TrackedCorner kCorners[] = {
    {500, 700, "1", 495, 730}, // top
    {50, 50, "2", 25, 50},     // bottom left
    {950, 50, "3", 975, 50},   // bottom right
};

const TrackedCorner &corner(const FormValue &number)
{
    return kCorners[static_cast<int>(number.toDouble()) - 1];
}

} // namespace

void setUpTrackedGame(ModeContext &mode)
{
    Easel &canvas = mode.canvas;
    FormState &form = mode.form;

    form.TrackingActive = FormValue::integer(1);
    mode.host.showScreenTwo(false);
    canvas.setFillColour(PackedColour::Red);
    canvas.setFillStyle(Easel::FillStyle::Solid);
    canvas.clear();

    // The labels take the font, and the dots the draw width, that the canvas
    // holds now: the font is set only afterwards.
    for (const TrackedCorner &c : kCorners) {
        canvas.setCurrentPosition(c.labelX, c.labelY);
        canvas.printLine(QString::fromLatin1(c.label));
        canvas.circle(c.x, c.y, 5, PackedColour::Red);
    }

    canvas.setFontSize(10);
    canvas.setFontName(QString());
    canvas.setFontBold(false);

    form.PointX = FormValue::integer(700);
    form.PointY = FormValue::integer(700);
    const double x = form.PointX.toDouble();
    const double y = form.PointY.toDouble();
    canvas.setCurrentPosition(x, y);
    canvas.printLine(QStringLiteral("Click on the area that would"));
    canvas.setCurrentPosition(x, y - 20);
    canvas.printLine(QStringLiteral("be half-way from the green dot"));
    canvas.setCurrentPosition(x, y - 40);
    canvas.printLine(QStringLiteral("to the randomly chosen corner."));
    canvas.setCurrentPosition(x + 10, y - 60);
    canvas.printLine(QStringLiteral("(marked with a red ring)"));

    // Bold stays on when the set-up ends.
    canvas.setCurrentPosition(x + 50, y - 90);
    canvas.setFontBold(true);
    canvas.printLine(QStringLiteral("Start point"));

    canvas.setFillColour(PackedColour::Green);
    form.PointX = FormValue::integer(785);
    form.PointY = FormValue::integer(570);
    canvas.circle(form.PointX.toDouble(), form.PointY.toDouble(), 5, PackedColour::Green);
    canvas.setFillColour(PackedColour::Red);

    form.Corner = FormValue::single(static_cast<float>(drawOneTo(mode.random, 3)));

    canvas.setFillStyle(Easel::FillStyle::Transparent);
    canvas.setDrawWidth(3);
    const TrackedCorner &ringed = corner(form.Corner);
    canvas.circle(ringed.x, ringed.y, 11, PackedColour::Red);
}

void playTrackedStep(ModeContext &mode)
{
    FormState &form = mode.form;
    if (form.TrackingActive != 1)
        return;
    Easel &canvas = mode.canvas;

    canvas.setFillStyle(Easel::FillStyle::Solid);
    canvas.setFillColour(PackedColour::Black);

    // Exactly half-way between the current point and the ringed corner.
    const TrackedCorner &target = corner(form.Corner);
    form.PointX = FormValue::real((target.x + form.PointX.toDouble()) / 2);
    form.PointY = FormValue::real((target.y + form.PointY.toDouble()) / 2);
    canvas.circle(form.PointX.toSingle(), form.PointY.toSingle(), 4, PackedColour::Black);

    // The ring is erased by painting it in the background colour, at the
    // draw width the set-up left (3).
    canvas.setFillStyle(Easel::FillStyle::Transparent);
    canvas.circle(target.x, target.y, 11, PackedColour::ButtonFace);

    form.Corner = FormValue::single(static_cast<float>(drawOneTo(mode.random, 3)));
    const TrackedCorner &ringed = corner(form.Corner);
    canvas.circle(ringed.x, ringed.y, 11, PackedColour::Red);

    // New instructions in place of the old ones.
    canvas.filledBox(700, 700, 900, 500, PackedColour::ButtonFace);
    canvas.setFontBold(false);
    canvas.setCurrentPosition(700, 700);
    canvas.printLine(QStringLiteral("Now click half-way from the new"));
    canvas.setCurrentPosition(700, 680);
    canvas.printLine(QStringLiteral("point to the next marked corner..."));
}
