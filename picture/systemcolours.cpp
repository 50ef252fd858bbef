// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/systemcolours.h"

#include <QPalette>

namespace {

// The system colour indexes the platform numbers them by, mapped to the
// palette roles that play the same part in a Qt style.
QPalette::ColorRole roleOfSystemColour(quint32 index)
{
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 8: return QPalette::WindowText;       // window text
    case 13: return QPalette::Highlight;       // selected item
    case 14: return QPalette::HighlightedText; // selected item's text
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Dark;            // button shadow
    case 18: return QPalette::ButtonText;      // button text
    case 20: return QPalette::Light;           // button highlight
    default: return QPalette::WindowText;
    }
}

} // namespace

QColor colourFromPacked(quint32 packed, const QPalette &palette)
{
    if (PackedColour::isSystemColour(packed))
        return palette.color(QPalette::Active, roleOfSystemColour(packed & 0xFFu));

    const int red = packed & 0xFF;
    const int green = (packed >> 8) & 0xFF;
    const int blue = (packed >> 16) & 0xFF;
    return QColor(red, green, blue);
}
