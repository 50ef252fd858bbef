// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/platform.h"

// Linux, Windows and macOS: the desktop has all of it.
bool Platform::canPrint()
{
    return true;
}

bool Platform::canQuit()
{
    return true;
}

bool Platform::savesByDownload()
{
    return false;
}

bool Platform::opensFullScreen()
{
    return false;
}

bool Platform::canCopyPictures()
{
    return true;
}
