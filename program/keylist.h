// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The one list of the program's keys, and what each does. The help window
// (F1), --help and the manual page all show it, so they agree with each
// other; a test checks that it names every key the main window handles.
struct KeyUse
{
    // The key as the keyboard names it ("Alt+T", "Ctrl+S", "Esc"), or a few
    // keys that do the same, separated by ", ".
    QString keys;
    // What it does: one or two sentences.
    QString what;
};

// The keys of one window.
struct KeyPlace
{
    QString where; // "In the main window"
    QList<KeyUse> keys;
};

// The start-up window's keys, then the main window's.
QList<KeyPlace> programKeys();

// The list as plain text for --help, wrapped to `width` columns: under the
// heading "Keys:", each window's keys, each key with what it does beside it.
QString keysAsText(int width = 79);

// The list as the body of a manual page's KEYS section (man(7) macros).
QString keysAsManual();
