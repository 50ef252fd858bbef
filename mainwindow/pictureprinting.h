// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QImage;
class QPrinter;
class QString;
class QWidget;

// Printing the figure the canvas shows, for a worksheet.

// Asks for a printer in the standard print dialog over `window`, then prints
// the picture of a mode ("triangle", ...) on one page. Cancelling the dialog
// prints nothing and changes nothing. A failure is shown in a message box.
// Returns at once; the dialog prints once it is accepted.
void printPicture(const QImage &picture, const QString &modeName, QWidget *window);

// Prints the picture on one page of `printer`, as large as the page's
// printable area allows with its proportions kept, centred on it; every
// dot stays sharp. Returns whether the printer took it.
bool printPictureOn(QPrinter &printer, const QImage &picture);
