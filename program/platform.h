// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the platform the program is built for lets it do, where the desktop
// and a web browser differ. One source file answers for each (chosen when
// the program is built), so that windows ask here instead of testing the
// platform themselves.
namespace Platform {

// Whether the program can print (a browser has no print dialog of Qt's).
bool canPrint();
// Whether the program may end itself: a page in a browser is closed by the
// browser, so Quit is left out there.
bool canQuit();
// Whether a saved file is downloaded by the browser, with no folder to
// choose and no file to write (QFileDialog::saveFileContent()), instead of
// being written where a file dialog says.
bool savesByDownload();
// Whether the main window opens full screen: in a browser the page is the
// screen, and a title bar inside it would only take room from the canvas.
bool opensFullScreen();
// Whether the clipboard takes pictures: a browser lets a page write images
// to it only through its asynchronous clipboard, and only on a secure page
// (https, or this machine).
bool canCopyPictures();

} // namespace Platform
