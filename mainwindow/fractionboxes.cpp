// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/fractionboxes.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

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

// A closed box hands the keyboard back to its window. Window managers do
// so themselves; a page in a browser does not, and keys typed after the
// box would reach no window. Looked at once the box is gone, and only if
// nothing has the keyboard and no other box of the window is open (the
// mode's next box, say).
void handTheKeyboardBack(QWidget &window)
{
    QTimer::singleShot(0, &window, [window = QPointer<QWidget>(&window)] {
        if (!window || QApplication::activeWindow())
            return;
        const QList<QDialog *> boxes = window->findChildren<QDialog *>();
        if (std::none_of(boxes.begin(), boxes.end(), [](QDialog *box) { return box->isVisible(); }))
            window->activateWindow();
    });
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
    QObject::connect(ask, &QDialog::finished, &window, [&window] { handTheKeyboardBack(window); });
    ask->show();
}

void showFractionRefusal(QWidget &window, QObject *context, std::function<void()> closed)
{
    auto *refusal = new QMessageBox(QMessageBox::NoIcon, QObject::tr("Error"), QObject::tr("Invalid entry - using 0.5"),
                                    QMessageBox::Ok, &window);
    QObject::connect(refusal, &QDialog::finished, context, [closed = std::move(closed)] { closed(); },
                     Qt::SingleShotConnection);
    QObject::connect(refusal, &QDialog::finished, refusal, &QObject::deleteLater);
    QObject::connect(refusal, &QDialog::finished, &window, [&window] { handTheKeyboardBack(window); });
    refusal->show();
}
