// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/platform.h"

#include <emscripten/val.h>

// A page in a web browser: no printing of its own, no quitting, files come
// and go through the browser's downloads and file picker.
bool Platform::canPrint()
{
    return false;
}

bool Platform::canQuit()
{
    return false;
}

bool Platform::savesByDownload()
{
    return true;
}

bool Platform::opensFullScreen()
{
    return true;
}

bool Platform::canCopyPictures()
{
    const emscripten::val clipboard = emscripten::val::global("navigator")["clipboard"];
    return clipboard.as<bool>() && clipboard["write"].as<bool>() && emscripten::val::global("ClipboardItem").as<bool>();
}
