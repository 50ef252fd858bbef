// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QImage;
class QWidget;

// Puts the picture on the clipboard. Where the platform's clipboard takes
// no pictures (a browser page that is not secure, or a browser without an
// image clipboard), it says so in a box over `window` instead, and how to
// share the picture another way.
void copyPictureToClipboard(const QImage &picture, QWidget *window);
