// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/explanationpages.h"

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "picture/easel.h"


// Sets no font size, face, bold or italic before it prints: page one, which
// alone leads here, left size 14, the default face, bold and italic off.
void showExplanationPageTwo(ModeContext &mode)
{
    Easel &canvas = mode.canvas;

    mode.form.TrackingActive = FormValue::integer(0);
    canvas.clear();
    mode.host.showScreenTwo(false);
    canvas.setCurrentPosition(1, 700);

    canvas.printLine();
    canvas.printLine(QStringLiteral("  Turbulent systems are everywhere: in the air and the seas, in a pot of soup on the"));
    canvas.printLine(QStringLiteral("  stove and deep inside a star. All of them show a further key feature of chaos theory:"));
    canvas.printLine();
    canvas.setFontBold(true);
    canvas.printLine(QString(50, QLatin1Char(' ')) + QStringLiteral("Sensitive dependence on initial conditions."));
    canvas.setFontBold(false);
    canvas.setFontItalic(true);
    canvas.printLine(QString(70, QLatin1Char(' ')) + QStringLiteral("(The Butterfly Effect)"));
    canvas.setFontItalic(false);
    canvas.printLine();
    canvas.printLine();
    canvas.printLine(QStringLiteral("  Imagine breaking the pack on a perfectly frictionless billiards table and noting where"));
    canvas.printLine(QStringLiteral("  every ball is one minute later. Now do it again with the cue ball moved by the width of"));
    canvas.printLine(QStringLiteral("  a single atom. After a minute every ball is somewhere else entirely, because the balls'"));
    canvas.printLine(QStringLiteral("  curved surfaces turn each tiny sideways difference into a large change of angle at"));
    canvas.printLine(QStringLiteral("  every collision."));
    canvas.printLine();
    canvas.printLine(QStringLiteral("  The exact position of the cue ball can never be known, since thermal motion keeps"));
    canvas.printLine(QStringLiteral("  changing it. So the balls can be predicted only a few seconds ahead, although the laws"));
    canvas.printLine(QStringLiteral("  of physics hold at every single step."));
    canvas.printLine();
    canvas.printLine();
    canvas.printLine(QStringLiteral("  The bottom line:"));
    canvas.printLine();
    canvas.printLine(QStringLiteral("  Whatever data or computing power the future brings, truly long-term"));
    canvas.printContinuing(QStringLiteral("  weather forecasts will never be possible. Chaos theory is the authority that says so."));
    // The aside, smaller and a little lower, on the same line.
    canvas.setFontSize(10);
    canvas.setCurrentPosition(canvas.currentX(), canvas.currentY() - 5);
    canvas.printLine(QStringLiteral("  ... and so does") + QLatin1Char(' ') + QStringLiteral("Edward Lorenz") + QLatin1Char('!'));
    canvas.setFontSize(14);
    canvas.setFontBold(false);
    canvas.printLine();
    canvas.printLine();

    mode.host.focusExplain();
}
