// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/fractionboxes.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include <algorithm>

namespace {

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

void askForFraction(QWidget &window, QObject *context, std::function<void(const QString &)> answered)
{
    auto *ask = new QInputDialog(&window);
    ask->setWindowTitle(QObject::tr("Fractional Chaos Game"));
    ask->setLabelText(QObject::tr("Enter fraction amount [.1 to .9]"));
    ask->setTextValue(QString());
    widenForItsTitle(*ask, window.font());
    QObject::connect(
        ask, &QDialog::finished, context,
        [ask, answered = std::move(answered)](int result) {
            answered(result == QDialog::Accepted ? ask->textValue() : QString());
        },
        Qt::SingleShotConnection);
    QObject::connect(ask, &QDialog::finished, ask, &QObject::deleteLater);
    ask->show();
}

void showFractionRefusal(QWidget &window, QObject *context, std::function<void()> closed)
{
    auto *refusal = new QMessageBox(QMessageBox::NoIcon, QObject::tr("Error"), QObject::tr("Invalid entry - using 0.5"),
                                    QMessageBox::Ok, &window);
    QObject::connect(refusal, &QDialog::finished, context, [closed = std::move(closed)] { closed(); },
                     Qt::SingleShotConnection);
    QObject::connect(refusal, &QDialog::finished, refusal, &QObject::deleteLater);
    refusal->show();
}
