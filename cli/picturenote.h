// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/posterrender.h"

#include <QString>

class QImageWriter;

// The note an exported picture carries of how it was made, so that it can
// be made again: "Software" names the program and its version,
// "Description" the seed and the command that remakes it, and "chaos"
// holds the exploration's settings as a .chaos file would, on one line
// separated by semicolons (which --exploration reads straight from the
// picture). PNG keeps these as text chunks; other
// formats keep what they can. The note does not name the file, so the
// same options and seed still give the same file, byte for byte.
void addPictureNote(QImageWriter &writer, const PosterJob &job);

// The command that draws the same picture again from THIS.png (the
// picture itself) into AGAIN.png: its exploration, size, dots and seed.
QString remakingCommand(const PosterJob &job);
