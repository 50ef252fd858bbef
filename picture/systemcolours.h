// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

class QPalette;

// Colours as the program writes them: 24-bit RGB packed as 0x00BBGGRR, or,
// with the top bit set, a system colour named by its index.
namespace PackedColour {
constexpr quint32 Black = 0x000000;
constexpr quint32 Red = 0x0000FF;   // 255
constexpr quint32 Green = 0x00FF00; // 65280
constexpr quint32 ButtonFace = 0x8000000F;
constexpr quint32 ButtonText = 0x80000012;

constexpr bool isSystemColour(quint32 packed) { return (packed & 0x80000000u) != 0; }
} // namespace PackedColour

// Turns a packed colour into the colour to paint, looking system colours up
// in the given palette (button face is QPalette::Button, button text
// QPalette::ButtonText).
QColor colourFromPacked(quint32 packed, const QPalette &palette);
