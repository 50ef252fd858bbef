// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sets every window's texts in the program's face (see programFaceFamily()),
// at the sizes the platform gives: the default font and the fonts the
// platform sets apart for message boxes, menus, tooltips, labels, item
// views and the like, which would otherwise stay in the system's face.
// Where that face is missing (Windows under Wine, say), a box such as
// About would fall back to another face than the main window's. Needs the
// application object.
void useProgramFaceInEveryWindow();
