// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRgb>

// The colours of dots coloured by their target. The first seven are the
// Okabe–Ito colours (less their yellow, too pale on white under a
// projector), which viewers with any common colour-vision deficiency tell
// apart; five dark, saturated colours from Paul Tol's schemes follow for
// figures with more targets. Beyond twelve targets the colours repeat.
QRgb targetColour(int target);
inline constexpr int kTargetColours = 12;

// The colour table of an 8-bit exploration picture: entry 0 the white
// background, then entry 1 + t the colour of target t, or with no colouring
// one entry, black, for every dot.
QList<QRgb> explorationColourTable(int targetCount, bool colourByTarget);
