// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The formats pictures are saved in, PNG, JPEG and BMP, told by the file's
// extension; the same for every window's file dialog and for the export.

// The image format a file name asks for by its extension: "png", "jpeg"
// (.jpg, .jpeg) or "bmp"; "png" when it has none; empty when the extension
// names no format that pictures are saved in.
QByteArray pictureFormatFor(const QString &path);

// The file dialog's filters, PNG first: "PNG image (*.png)", ...
QStringList pictureFilters();

// The extension a file dialog adds to a name typed without one while
// `filter` is chosen: the filter's first pattern's ("png" for
// "PNG image (*.png)", "jpg" for "JPEG image (*.jpg *.jpeg)"); empty when
// it has none.
QString defaultSuffixOf(const QString &filter);

// Why a file's name asks for no picture format, for the user.
QString unknownPictureFormatText();

// JPEG blurs single dots at its usual quality; this keeps the figure sharp.
inline constexpr int kJpegQuality = 95;
