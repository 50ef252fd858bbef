// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's texts, on the canvas and on the controls, were laid out in a
// face with Arial's metrics; a wider face cuts captions and labels off and
// runs the tracked game's instructions out of their box. The program uses
// one such face, Liberation Sans, and every face name it uses (the empty
// name that stands for the default face, "MS Sans Serif" and "Arial") comes
// out in it, so a text looks the same whatever ran before it.
//
// Built with CHAOS_BUNDLED_FONTS (the default), the program carries the
// face's four files, so it looks the same on any machine, whatever fonts
// that machine has; without, it uses the same files installed on the
// system (CHAOS_SYSTEM_FONTS_DIR: on Debian, fonts-liberation2's).
//
// Returns the family to ask Qt for; a name the program does not use is
// passed through.
QString programFaceFamily(const QString &faceName);

// Whether the program carries the face's files itself.
bool programFaceIsBuiltIn();
