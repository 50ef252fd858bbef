// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationfile.h"

#include <QImage>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

// Saving an exploration as a picture larger than the screen: asks for the
// size and the number of dots, then for the file, then draws the picture in
// the background on every core (the export's own drawing, as the command
// line's --export), with a progress bar and Cancel, and writes it. Every
// step returns to the event loop at once; nothing waits in a nested one.
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
    void finish();

    QWidget *m_window;
    ExplorerSetup m_setup;
    FigureView m_view;
    Writer m_write;
    QString m_path;
    QThread *m_thread = nullptr;
    QProgressDialog *m_progress = nullptr;
    QTimer *m_poll = nullptr;
    std::atomic<bool> m_cancelled{false};
    std::atomic<quint64> m_done{0};
    quint64 m_total = 0;
    QImage m_result;
    bool m_outOfMemory = false;
};
