// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/targetpalette.h"

namespace {

constexpr QRgb kColours[kTargetColours] = {
    0xFFD55E00, // vermillion
    0xFF0072B2, // blue
    0xFF009E73, // bluish green
    0xFFCC79A7, // reddish purple
    0xFFE69F00, // orange
    0xFF56B4E9, // sky blue
    0xFF000000, // black
    0xFF882255, // wine
    0xFF332288, // indigo
    0xFF999933, // olive
    0xFF44AA99, // teal
    0xFF777777, // grey
};

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

} // namespace

QRgb targetColour(int target)
{
    return kColours[target % kTargetColours];
}

QList<QRgb> explorationColourTable(int targetCount, bool colourByTarget)
{
    QList<QRgb> table{kWhite};
    if (!colourByTarget) {
        table.append(kBlack);
        return table;
    }
    for (int target = 0; target < targetCount; ++target)
        table.append(targetColour(target));
    return table;
}
