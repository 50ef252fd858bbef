// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keylist.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("KeyList", text);
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
             {tr("Menu"), tr("On the picture, opens its menu, as a right click does: Save Picture As, "
                             "Copy Picture, Print Picture.")},
             {tr("F1"), tr("Help: shows this list of keys, and About The Chaos Game.")},
             {tr("F11"), tr("Full Screen: the picture and the buttons fill the whole screen; F11 again "
                            "goes back.")},
             {tr("Esc"), tr("Leave Full Screen: gives the window back as it was, as F11 does.")},
         }},
    };
}
