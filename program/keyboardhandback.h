// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

// From now on, a box (a dialog or any other window with a parent window)
// that closes hands the keyboard back to the window it belongs to. Window
// managers do so themselves; a page in a browser does not, and keys typed
// after the box would reach no window at all. The window is activated once
// the box is gone, and only if nothing has the keyboard by then and none
// of its other boxes is open (the next question of a game, say).
void handTheKeyboardBackAfterBoxes(QApplication &application);
