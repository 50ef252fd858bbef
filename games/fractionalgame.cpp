// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/fractionalgame.h"

#include "games/formvalue.h"
#include "games/modecontext.h"
#include "canvas/canvas.h"
#include "games/leadingnumber.h"
#include "games/randomsource.h"
#include "games/randomwalk.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

// Shows one of the game's boxes over the window; the game goes on with its
// answer. The box is modal to the user, but not through Qt's modality: the
// window holds the user's input while a mode runs and hands the box the keys
// typed for it, even those typed before the window manager has given it the
// keyboard, which Qt drops for a window under a modal box.
SignalAwaiter<QDialog, int> answerOf(QDialog &box)
{
    return {box, &QDialog::finished, [&box] { box.show(); }};
}

// The box's layout sizes it to its prompt, which leaves too little room for
// the window manager to show its title whole ("Fractio… Game"). Its entry
// field is widened to twice the title's width in the box's font (the
// window's, scaled with the layout) plus room for the title bar's buttons,
// so the title shows whole at every scale.
void widenForItsTitle(QInputDialog &box, const QFont &font)
{
    const QFontMetrics metrics(font);
    const int wanted = std::max(metrics.horizontalAdvance(box.labelText()),
                                2 * metrics.horizontalAdvance(box.windowTitle()) + 6 * metrics.height());
    if (auto *entry = box.findChild<QLineEdit *>())
        entry->setMinimumWidth(wanted);
}

} // namespace

void playFractionSteps(Canvas &canvas, RandomSource &random, float fraction, long steps, float &x, float &y)
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
    Canvas &canvas = mode.canvas;
    QWidget *window = canvas.window();

    mode.form.TrackingActive = FormValue::integer(0);
    canvas.setDrawWidth(1);
    mode.screen2.hide();
    canvas.clear();

    // The start point may lie anywhere on the canvas; it is not plotted.
    float x = static_cast<float>(drawOneTo(mode.random, 1000));
    float y = static_cast<float>(drawOneTo(mode.random, 750));
    mode.form.PointX = FormValue::single(x);
    mode.form.PointY = FormValue::single(y);

    // The cleared canvas shows before the box opens over it.
    canvas.present();

    // Cancel gives empty text, which reads as 0 and is refused below.
    QInputDialog ask(window);
    ask.setWindowTitle(QObject::tr("Fractional Chaos Game"));
    ask.setLabelText(QObject::tr("Enter fraction amount [.1 to .9]"));
    ask.setTextValue(QString());
    widenForItsTitle(ask, window->font());
    const int answered = co_await answerOf(ask);
    const QString answer = answered == QDialog::Accepted ? ask.textValue() : QString();
    const QByteArray typed = answer.toUtf8();
    float fraction = leadingNumberAsSingle(std::string_view(typed.constData(), std::size_t(typed.size())));
    if (!(fraction >= 0.000000001f && fraction <= 0.9999f)) {
        QMessageBox refusal(QMessageBox::NoIcon, QObject::tr("Error"), QObject::tr("Invalid entry - using 0.5"),
                            QMessageBox::Ok, window);
        co_await answerOf(refusal);
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
