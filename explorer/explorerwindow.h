// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationfile.h"
#include "explorer/explorercontrols.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class ExplorerRun;
class LargePicture;
class ExplorerView;
class QAction;

// The Chaos Explorer: a window of its own, beside the main window, in which
// a teacher runs any exploration live: pauses it, steps it a dot at a time,
// draws a few more, changes its speed, zooms into it, and keeps what was
// found as a picture or as a .chaos file.
//
// It has no parent widget: the main window holds back its own windows'
// input while a classic game runs, and this window must stay live then.
// It draws from the event loop (see ExplorerRun), so it never blocks; the
// dialogs it opens are window-modal and opened without a nested event loop.
// The last exploration is remembered between runs.
class ExplorerWindow : public QWidget
{
    Q_OBJECT

public:
    // Writes a picture to a file, reporting a failure to the user; returns
    // whether it was written. The program's own picture saving, given from
    // outside (the Explorer knows nothing of the main window's code).
    using PictureWriter = std::function<bool(const QImage &, const QString &path)>;

    explicit ExplorerWindow(PictureWriter writer = {});
    ~ExplorerWindow() override;

    const ExplorerSetup &setup() const { return m_setup; }
    // Shows this setup on the controls and starts its figure afresh.
    void applySetup(const ExplorerSetup &setup);
    // Opens a .chaos file. Returns why it could not, or what in it (of a
    // newer format) was skipped when it did; nothing when it was all read.
    QString openExploration(const QString &path);
    QString saveExploration(const QString &path);

    ExplorerView &view() { return *m_view; }
    ExplorerRun &run() { return *m_run; }

    // As large as the controls and the figure like, within the screen.
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void remember() const;
    ExplorerSetup rememberedSetup();
    void reportLater(const QString &text);
    void savePictureAs();
    void saveLargePicture();
    void askToOpen();
    void askToSave();
    // Writes a picture with the writer given, else itself, telling a failure.
    bool writePicture(const QImage &picture, const QString &path);
    void tell(const QString &title, const QString &text);

    ExplorerSetup m_setup;
    PictureWriter m_writer;
    bool m_showing = false; // the controls and the view are being set from the setup

    ExplorerView *m_view = nullptr;
    ExplorerRun *m_run = nullptr;
    ExplorerControls *m_controls = nullptr;
    QString m_folder; // where the last file was saved or opened
    bool m_placed = false;
    QPointer<LargePicture> m_largePicture; // being drawn, if any

    // Room left around the window for the frame the window manager adds.
    static constexpr int kFrameRoom = 16;
};
