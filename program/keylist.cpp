// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/keylist.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("KeyList", text);
}

// Breaks `text` into lines of at most `width` characters at spaces.
QStringList wrapped(const QString &text, int width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// Text for a line of a manual page: a backslash stands for itself, and a
// line may not begin with a control character.
QString manualText(const QString &text)
{
    QString escaped = QString(text).replace(QLatin1Char('\\'), QLatin1String("\\e"));
    if (escaped.startsWith(QLatin1Char('.')) || escaped.startsWith(QLatin1Char('\'')))
        escaped.prepend(QLatin1String("\\&"));
    return escaped;
}

} // namespace

QList<KeyPlace> programKeys()
{
    return {
        {tr("In the start-up window:"),
         {
             {tr("Any key that types a character"),
              tr("Opens the main window, as a click in the box does: a letter, a digit, punctuation, Space, "
                 "Enter, Esc or Backspace. Other keys (arrows, F1, F11) do nothing there.")},
         }},
        {tr("In the main window:"),
         {
             {tr("Alt+T"), tr("Track the Chaos Game: lays out the tracked game; then each click on the picture, "
                              "or Space or Enter on it, takes one step.")},
             {tr("Alt+P"), tr("Play Chaos Game: plays the Chaos Game on a triangle, 500,000 dots.")},
             {tr("Alt+S"), tr("Square Chaos Game: plays it on a square, 3,000,000 dots.")},
             {tr("Alt+H"), tr("Hexagonal Chaos Game: plays it on a hexagon, 3,000,000 dots.")},
             {tr("Alt+F"), tr("Fractional Chaos Game: asks for a fraction in a box (Enter takes the typed "
                              "fraction, Esc cancels), then plays on a triangle with it.")},
             {tr("Alt+E"), tr("Explain Chaos Theory: shows the first page about chaos theory; its Screen 2 "
                              "button shows the second page.")},
             {tr("Alt+Q"), tr("Quit: ends the program.")},
             {tr("Tab, Shift+Tab"), tr("Moves the keyboard focus to the next or the previous button.")},
             {tr("Space, Enter"), tr("Presses the button that has the focus; on the picture, takes a step of "
                                     "the tracked game.")},
             {tr("Ctrl+S"), tr("Save Picture As: saves the picture to a PNG, JPEG or BMP file.")},
             {tr("Ctrl+C"), tr("Copy Picture: puts the picture on the clipboard.")},
             {tr("Ctrl+P"), tr("Print Picture: prints the picture, as large as fits the page.")},
             {tr("Ctrl+E"), tr("Explore: opens the Chaos Explorer, a window of its own that plays any "
                               "polygon, ratio and rule live.")},
             {tr("Menu"), tr("On the picture, opens its menu, as a right click does: Save Picture As, "
                             "Copy Picture, Print Picture, Explore.")},
             {tr("F1"), tr("Help: shows this list of keys, and About The Chaos Game.")},
             {tr("F11"), tr("Full Screen: the picture and the buttons fill the whole screen; F11 again "
                            "goes back.")},
             {tr("Esc"), tr("Leave Full Screen: gives the window back as it was, as F11 does.")},
         }},
        {tr("In the Chaos Explorer:"),
         {
             {tr("Space"), tr("Starts or pauses the figure (on a focused button or check box, presses it).")},
             {tr("Delete"), tr("Clears the figure.")},
             {tr("+, -"), tr("Zooms in or out about the pointer; so does the mouse wheel, and dragging pans.")},
             {tr("Home"), tr("Shows the whole figure again.")},
             {tr("Ctrl+O"), tr("Opens an exploration (.chaos file).")},
             {tr("Ctrl+Shift+S"), tr("Saves the exploration as a .chaos file.")},
             {tr("Ctrl+S"), tr("Saves the picture as shown.")},
             {tr("Ctrl+L"), tr("Saves a large picture, drawn in the background on every core.")},
             {tr("Ctrl+C"), tr("Copies the picture.")},
             {tr("Ctrl+W"), tr("Closes the Explorer.")},
             {tr("F11, Esc"), tr("Full screen, and back, as in the main window.")},
         }},
    };
}

QString keysAsText(int width)
{
    constexpr int indent = 4;
    const QList<KeyPlace> places = programKeys();
    // The keys' column is as wide as the keys of the windows after the
    // start-up window need; a longer key has what it does on the lines below it.
    int keysWidth = 0;
    for (qsizetype place = 1; place < places.size(); ++place) {
        for (const KeyUse &use : places[place].keys)
            keysWidth = std::max(keysWidth, int(use.keys.size()));
    }
    const QString margin(indent + keysWidth + 2, QLatin1Char(' '));

    QString text = tr("Keys:") + QLatin1Char('\n');
    for (const KeyPlace &place : places) {
        text += QStringLiteral("  %1\n").arg(place.where);
        for (const KeyUse &use : place.keys) {
            const QStringList lines = wrapped(use.what, width - margin.size());
            QString first = QString(indent, QLatin1Char(' ')) + use.keys;
            if (first.size() + 2 > margin.size())
                text += first + QLatin1Char('\n') + margin + lines.value(0);
            else
                text += first.leftJustified(margin.size()) + lines.value(0);
            text += QLatin1Char('\n');
            for (qsizetype i = 1; i < lines.size(); ++i)
                text += margin + lines[i] + QLatin1Char('\n');
        }
    }
    return text;
}

QString keysAsManual()
{
    QString manual;
    bool first = true;
    for (const KeyPlace &place : programKeys()) {
        if (!first)
            manual += QStringLiteral(".PP\n");
        first = false;
        manual += manualText(place.where) + QLatin1Char('\n');
        for (const KeyUse &use : place.keys) {
            // Keys in bold, the commas between them in roman.
            const QStringList keys = use.keys.split(QStringLiteral(", "));
            manual += keys.size() == 1 ? QStringLiteral(".TP\n.B ") : QStringLiteral(".TP\n.BR ");
            for (qsizetype i = 0; i < keys.size(); ++i)
                manual += (i > 0 ? QStringLiteral(" \", \" \"") : QStringLiteral("\"")) + manualText(keys[i])
                        + QLatin1Char('"');
            manual += QLatin1Char('\n') + manualText(use.what) + QLatin1Char('\n');
        }
    }
    return manual;
}
