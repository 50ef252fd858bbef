// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorerwindow.h"

#include "program/filechoice.h"
#include "program/picturecopy.h"
#include "program/settings.h"
#include "program/windowaction.h"
#include "files/picturefile.h"
#include "files/pictureformats.h"
#include "files/startfolder.h"

#include "picture/programface.h"
#include "exploration/presets.h"
#include "explorer/explorercontrols.h"
#include "explorer/explorerrun.h"
#include "explorer/explorerview.h"
#include "explorer/largepicture.h"
#include "exploration/explorationrecovery.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

constexpr double kZoomStep = 1.5;

} // namespace

ExplorerWindow::ExplorerWindow(PictureWriter writer)
    : QWidget(nullptr)
    , m_writer(std::move(writer))
{
    setObjectName(QStringLiteral("explorer"));
    setWindowTitle(tr("Chaos Explorer"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont face(programFaceFamily(QString()));
    face.setPointSizeF(QApplication::font().pointSizeF());
    setFont(face);
    setAccessibleName(tr("Chaos Explorer"));
    setAccessibleDescription(tr("Runs any chaos game live: its settings on the left, the figure on the right"));

    m_view = new ExplorerView(this);
    m_view->setObjectName(QStringLiteral("figure"));
    m_view->setAccessibleName(tr("Figure"));
    m_view->setAccessibleDescription(
        tr("The figure as it grows. The wheel, plus and minus zoom about the pointer, dragging moves it, "
           "Home shows all of it"));
    m_view->setToolTip(tr("Wheel or +/- to zoom, drag to move, Home for the whole figure"));
    m_run = new ExplorerRun(*m_view, this);
    m_controls = new ExplorerControls(m_setup, *m_run);
    auto *whole = new QHBoxLayout(this);
    whole->addWidget(m_controls);
    whole->addWidget(m_view, 1);
    connect(m_controls, &ExplorerControls::setupChosen, this, &ExplorerWindow::applySetup);
    connect(m_controls, &ExplorerControls::ratioWritten, this, [this](const QString &typed) {
        m_setup.settings.ratioTyped = typed;
        remember();
    });

    buildActions();
    connect(m_view, &ExplorerView::viewChanged, this, [this] {
        if (!m_showing) {
            m_run->redrawForView();
            m_setup.view = m_view->showsWholeFigure() ? std::nullopt : std::optional(m_view->view());
        }
    });

    // The last exploration, or the triangle.
    applySetup(rememberedSetup());
    m_run->start();
}

ExplorerWindow::~ExplorerWindow()
{
    // The controls outlive this part of the window: closing it moves the
    // focus out of the ratio field, whose answer must not reach a window
    // that is no longer one. (Hiding a window before it goes, as a close
    // does, hands the typed ratio over first.)
    m_controls->disconnect(this);
    remember();
}

ExplorerSetup ExplorerWindow::rememberedSetup()
{
    // The settings file is looked at before it is read: a named pipe in its
    // place would keep the window from ever opening.
    const Settings settings;
    if (const QString problem = settings.problem(); !problem.isEmpty()) {
        reportLater(tr("The Explorer cannot use its settings. %1").arg(problem));
        return ExplorerSetup{};
    }
    m_folder = settings.explorerFolder();
    const QString text = settings.exploration();
    const RecoveredExploration remembered = readExplorationKeepingTheRest(text);
    // Told once: what is kept is remembered again without the bad lines.
    if (!remembered.problems.isEmpty())
        reportLater(tr("Part of the exploration remembered from the last time could not be used, and was left "
                       "out; the rest is kept.\n\n%1")
                        .arg(remembered.problems.join(QLatin1Char('\n'))));
    return remembered.setup;
}

void ExplorerWindow::reportLater(const QString &text)
{
    // Over the window once it shows, without waiting here.
    QTimer::singleShot(0, this, [this, text] { tell(tr("Chaos Explorer"), text); });
}

QSize ExplorerWindow::sizeHint() const
{
    // Within the screen's free area, leaving room for the window's frame.
    const QSize wanted = QWidget::sizeHint();
    const QScreen *shownOn = screen();
    if (!shownOn)
        return wanted;
    const QSize room = shownOn->availableGeometry().size() - QSize(kFrameRoom, 3 * kFrameRoom);
    return wanted.boundedTo(room).expandedTo(minimumSizeHint());
}

void ExplorerWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed || isFullScreen() || isMaximized())
        return;
    m_placed = true;
    // Once the window manager has framed it: moved and shrunk into the
    // screen's free area should any of it, title bar included, lie outside.
    QTimer::singleShot(0, this, [this] {
        const QScreen *shownOn = screen();
        if (!shownOn || isFullScreen() || isMaximized())
            return;
        const QRect room = shownOn->availableGeometry();
        QRect frame = frameGeometry();
        if (room.contains(frame))
            return;
        const QSize frameExtra = frame.size() - size();
        const QSize fitting = size().boundedTo(room.size() - frameExtra).expandedTo(minimumSize());
        resize(fitting);
        frame.setSize(fitting + frameExtra);
        move(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() + 1 - frame.width())),
             std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height())));
    });
}

void ExplorerWindow::buildActions()
{
    auto *menus = new QMenuBar(this);
    layout()->setMenuBar(menus);

    QMenu *file = menus->addMenu(tr("&File"));
    file->addAction(
        addWindowAction(this, tr("&Open Exploration\u2026"), QKeySequence::Open, "actOpen", [this] { askToOpen(); }));
    file->addAction(addWindowAction(this, tr("Save E&xploration As\u2026"), QKeySequence(tr("Ctrl+Shift+S")),
                                    "actSaveExploration", [this] { askToSave(); }));
    file->addSeparator();
    QAction *savePicture = addWindowAction(this, tr("&Save Picture As\u2026"), QKeySequence::Save, "actSavePicture",
                                           [this] { savePictureAs(); });
    QAction *saveLarge = addWindowAction(this, tr("Save &Large Picture\u2026"), QKeySequence(tr("Ctrl+L")),
                                         "actSaveLarge", [this] { saveLargePicture(); });
    QAction *copy = addWindowAction(this, tr("&Copy Picture"), QKeySequence::Copy, "actCopyPicture",
                                    [this] { copyPictureToClipboard(m_view->shownImage(), this); });
    file->addActions({savePicture, saveLarge, copy});
    file->addSeparator();
    file->addAction(addWindowAction(this, tr("&Close"), QKeySequence::Close, "actClose", [this] { close(); }));

    QMenu *view = menus->addMenu(tr("&View"));
    QAction *zoomIn = addWindowAction(this, tr("Zoom &In"), QKeySequence(Qt::Key_Plus), "actZoomIn",
                                      [this] { m_view->zoomAtPointer(kZoomStep); });
    zoomIn->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal), QKeySequence::ZoomIn});
    QAction *zoomOut = addWindowAction(this, tr("Zoom &Out"), QKeySequence(Qt::Key_Minus), "actZoomOut",
                                       [this] { m_view->zoomAtPointer(1 / kZoomStep); });
    zoomOut->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence::ZoomOut});
    QAction *home = addWindowAction(this, tr("&Whole Figure"), QKeySequence(Qt::Key_Home), "actHome",
                                    [this] { m_view->resetView(); });
    view->addActions({zoomIn, zoomOut, home});

    // Space and Delete act anywhere in the window; but Space on a focused
    // button or check box is that control's own, as everywhere.
    for (QAbstractButton *control : findChildren<QAbstractButton *>())
        control->installEventFilter(this);
    addWindowAction(this, tr("Start or Pause"), QKeySequence(Qt::Key_Space), "actStartPause",
                    [this] { m_controls->startOrPause(); });
    addWindowAction(this, tr("Clear"), QKeySequence(Qt::Key_Delete), "actClear", [this] { m_run->clear(); });

    m_view->addActions({savePicture, saveLarge, copy, zoomIn, zoomOut, home});
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ExplorerWindow::applySetup(const ExplorerSetup &setup)
{
    m_setup = setup;
    m_showing = true;
    m_controls->showSetup();
    m_view->setDotSize(m_setup.dotSize);
    m_view->setTargets(m_setup.settings.targets());
    m_view->setView(m_setup.view);
    m_showing = false;
    m_run->restart(m_setup);
    remember();
}

void ExplorerWindow::remember() const
{
    Settings settings;
    settings.setExploration(explorationText(m_setup));
    if (!m_folder.isEmpty())
        settings.setExplorerFolder(m_folder);
}

bool ExplorerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ExplorerWindow::closeEvent(QCloseEvent *event)
{
    m_run->pause();
    remember();
    QWidget::closeEvent(event);
}

void ExplorerWindow::tell(const QString &title, const QString &text)
{
    // Opened without a nested event loop, so that nothing else waits on it.
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

QString ExplorerWindow::openExploration(const QString &path)
{
    const ExplorationReading reading = readExplorationFile(path);
    if (!reading.setup)
        return reading.problem;
    applySetup(*reading.setup);
    // Opened; what a newer format had that this program skipped.
    return reading.warnings.join(QLatin1Char('\n'));
}

QString ExplorerWindow::saveExploration(const QString &path)
{
    return writeExplorationFile(m_setup, path);
}

void ExplorerWindow::askToOpen()
{
    askForFile(this, tr("Open Exploration"), startFolder(m_folder), QString(),
               {tr("Explorations (*.chaos)"), tr("All files (*)")}, false, [this](const QString &path) {
                   m_folder = QFileInfo(path).absolutePath();
                   const QString problem = openExploration(path);
                   if (!problem.isEmpty())
                       tell(tr("Open Exploration"), problem);
               });
}

void ExplorerWindow::askToSave()
{
    askForFile(this, tr("Save Exploration As"), startFolder(m_folder), QStringLiteral("exploration.chaos"),
               {tr("Explorations (*.chaos)")}, true, [this](const QString &path) {
                   m_folder = QFileInfo(path).absolutePath();
                   const QString problem = saveExploration(path);
                   if (problem.isEmpty())
                       fileWritten(path);
                   else
                       tell(tr("Save Exploration As"),
                            tr("The exploration could not be saved as %1: %2").arg(QDir::toNativeSeparators(path),
                                                                                   problem));
               });
}

void ExplorerWindow::savePictureAs()
{
    const QImage shown = m_view->shownImage();
    askForFile(this, tr("Save Picture As"), startFolder(m_folder), QStringLiteral("chaos-explorer.png"),
               pictureFilters(), true, [this, shown](const QString &path) {
                   m_folder = QFileInfo(path).absolutePath();
                   if (writePicture(shown, path))
                       fileWritten(path);
               });
}

void ExplorerWindow::saveLargePicture()
{
    // One large picture at a time: it takes every core and much memory.
    if (m_largePicture)
        return;
    m_largePicture = LargePicture::ask(this, m_setup, m_view->view(), pictureFilters(), startFolder(m_folder),
                      [this](const QImage &picture, const QString &path) {
                          m_folder = QFileInfo(path).absolutePath();
                          const bool saved = writePicture(picture, path);
                          if (saved)
                              fileWritten(path);
                          return saved;
                      });
}

bool ExplorerWindow::writePicture(const QImage &picture, const QString &path)
{
    if (m_writer)
        return m_writer(picture, path);
    const QString failure = ::writePicture(picture, path);
    if (failure.isEmpty())
        return true;
    tell(tr("Save Picture As"),
         tr("The picture could not be saved as %1.\n\n%2").arg(QDir::toNativeSeparators(path), failure));
    return false;
}
