// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationfile.h"

#include <QImage>
#include <QObject>
#include <QStringList>

#include <functional>

class PosterDrawing;
struct PosterResult;
class QProgressDialog;
class QTimer;
class QWidget;

// Saving an exploration as a picture larger than the screen: asks for the
// size and the number of dots, then for the file, then draws the picture in
// the background (the export's own drawing, as the command line's
// --export: on every core, or in slices from the event loop where the
// program has one thread), with a progress bar and Cancel, and writes it.
// Every step returns to the event loop at once; nothing waits in a nested
// one.
class LargePicture : public QObject
{
    Q_OBJECT

public:
    using Writer = std::function<bool(const QImage &, const QString &path)>;
    static constexpr int kLargestSide = 16384;

    // Starts asking, over `window`, for the picture of `setup` showing
    // `view`. The saving lives until it is written, cancelled or refused,
    // or until the window goes: closing the window cancels a drawing.
    static LargePicture *ask(QWidget *window, const ExplorerSetup &setup, const FigureView &view, const QStringList &filters,
                    const QString &folder, Writer write);

    // Closing the window stops a drawing under way.
    ~LargePicture() override;

private:
    LargePicture(QWidget *window, const ExplorerSetup &setup, const FigureView &view, Writer write);
    void draw(QSize size, quint64 dots, const QString &path);
    void finish(const PosterResult &result);

    QWidget *m_window;
    ExplorerSetup m_setup;
    FigureView m_view;
    Writer m_write;
    QString m_path;
    PosterDrawing *m_drawing = nullptr;
    QProgressDialog *m_progress = nullptr;
    QTimer *m_poll = nullptr;
    quint64 m_total = 0;
};
