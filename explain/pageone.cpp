// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/explanationpages.h"

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "picture/easel.h"


void showExplanationPageOne(ModeContext &mode)
{
    Easel &canvas = mode.canvas;

    mode.form.TrackingActive = FormValue::integer(0);
    canvas.clear();
    canvas.setDrawWidth(1);
    canvas.setCurrentPosition(1, 750);
    canvas.setFontSize(14);
    canvas.setFontName(QString());
    canvas.setFontBold(true);

    canvas.printLine();
    canvas.printLine(QString(70, QLatin1Char(' ')) + QStringLiteral("The Chaos Game"));
    canvas.setFontBold(false);
    canvas.printLine();
    canvas.printLine(QStringLiteral("   The Chaos Game demonstrates one of the fundamental ideas of chaos theory:"));
    canvas.printLine();
    canvas.printLine(QStringLiteral("  \u201CHigh order can arise from repeating a simple rule combined with a random factor.\u201D"));
    canvas.printLine();
    canvas.printLine(QStringLiteral("  The rule of the game is simple: move half way from the current point to the next corner."));
    canvas.printLine(QStringLiteral("  The random factor is simple too: a number from 1 to 3 picks that corner. You would"));
    canvas.printLine(QStringLiteral("  expect a random spatter of dots, yet an ordered pattern emerges."));
    canvas.printLine();
    canvas.printLine(QStringLiteral("  This surprise carries a deep message about an old mystery."));
    canvas.printLine();
    canvas.printLine(QStringLiteral("  How can a single cell hold the information needed to build a human being? The genetic"));
    canvas.printLine(QStringLiteral("  code holds rules of repetition together with random factors, and iterating them over"));
    canvas.printLine(QStringLiteral("  and over yields the ordered patterns of life."));
    canvas.printLine();
    canvas.printLine(QStringLiteral("  Science tries to understand real systems well enough to predict what they will do."));
    canvas.printLine(QStringLiteral("  For complex systems, such as the weather or a living body, exact prediction becomes"));
    canvas.printLine(QStringLiteral("  impossible, so scientists build models of them instead. Chaos theory has greatly"));
    canvas.printLine(QStringLiteral("  improved how such systems are modelled."));
    canvas.printLine();
    canvas.printContinuing(QStringLiteral("  These systems are called"));
    canvas.setFontItalic(true);
    canvas.setFontBold(true);
    canvas.printLine(QStringLiteral("  deterministic non-linear dynamical systems."));
    canvas.setFontItalic(false);
    canvas.printLine();
    canvas.printContinuing(QStringLiteral("  Deterministic:"));
    canvas.setFontBold(false);
    canvas.printLine(QStringLiteral("  physical laws predict how the system behaves in the short term."));
    canvas.printLine();
    canvas.setFontBold(true);
    canvas.printContinuing(QStringLiteral("  Non-linear :"));
    canvas.setFontBold(false);
    canvas.printLine(QStringLiteral("  its variables are not simply proportional to one another."));
    canvas.printLine();
    canvas.setFontBold(true);
    canvas.printContinuing(QStringLiteral("  Dynamical :"));
    canvas.setFontBold(false);
    canvas.printLine(QStringLiteral("  it changes over time under outside and inside influences."));

    mode.host.showScreenTwo(true);
}
