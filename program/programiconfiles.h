// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// The program's icon as files: one size as an image, and the containers
// that program bundles on other desktops carry, a Windows .ico for the
// executable's resources and a macOS .icns for the application bundle.
// Both containers hold the icon drawn at each of their sizes, as PNG.

// The icon drawn at this size in pixels, on a transparent background.
QImage programIconImage(int pixels);

QByteArray programIconIco();
QByteArray programIconIcns();
