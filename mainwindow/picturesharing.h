// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

class QWidget;

// Saving and copying the figure the canvas shows, for worksheets and slides.
// Failures are reported to the user in a message box over `window`.
class PictureSharing
{
    Q_DECLARE_TR_FUNCTIONS(PictureSharing)

public:
    explicit PictureSharing(QWidget *window) : m_window(window) {}

    // The file name offered for a picture of a mode ("triangle", ...):
    // chaos-game-triangle.png; chaos-game.png when no mode has run yet.
    static QString suggestedFileName(const QString &modeName);
    // Asks for a file in the standard file dialog, starting in the folder
    // last saved to, also in an earlier run (at first the user's pictures
    // folder), with the suggested name, then saves the picture there (in a
    // web browser: downloads it under that name). Returns at once; the
    // dialog saves once it is accepted.
    void saveAs(const QImage &picture, const QString &modeName);
    // Saves the picture to `path`, replacing a file of that name only once
    // the whole picture is written, so a failure leaves no partial file,
    // and keeping the replaced file's permissions; remembers the folder for
    // the next save.
    // A failure is shown in a message box naming the file and the reason
    // (left open when the call returns).
    bool saveTo(const QImage &picture, const QString &path);
    // Puts the picture on the clipboard.
    void copy(const QImage &picture);

private:
    QWidget *m_window;
};
