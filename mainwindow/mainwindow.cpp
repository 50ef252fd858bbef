// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "mainwindow/accelerators.h"
#include "mainwindow/dialogfont.h"
#include "mainwindow/explorerlaunch.h"
#include "mainwindow/fullscreen.h"
#include "mainwindow/helpwindow.h"
#include "mainwindow/inputholdback.h"
#include "mainwindow/layoutscale.h"
#include "mainwindow/pictureprinting.h"
#include "app/programicon.h"
#include "mainwindow/scaledlayout.h"
#include "canvas/canvas.h"
#include "explain/explanationpages.h"
#include "explorer/explorerwindow.h"
#include "games/clock.h"
#include "games/randomsource.h"
#include "games/fractionalgame.h"
#include "games/hexagongame.h"
#include "games/squaregame.h"
#include "games/trackedgame.h"
#include "games/trianglegame.h"

#include <QAction>
#include <QChildEvent>
#include <QCloseEvent>
#include <QPushButton>

namespace {

// A mode that draws its figure in one go, as one that runs from the event
// loop: it has run to its end when the call returns.
template <void (*mode)(ModeContext &)>
ModeTask atOnce(ModeContext &context)
{
    mode(context);
    co_return;
}

// The restored window's client area; the layout scales down to fit it.
constexpr QSize kRestoredClientSize(605, 446);
const QColor kBackground(0xC0, 0xC0, 0xC0);

} // namespace

MainWindow::~MainWindow()
{
    // A mode still running stops here, before the canvas it draws on goes.
    m_input->stopMode();
}

MainWindow::MainWindow(RandomSource &random, Clock &clock, QWidget *parent)
    : QWidget(parent)
    , m_random(random)
    , m_clock(clock)
    , m_canvas(new Canvas(QSize(961, 657), this))
    , m_track(addButton(this, "cmdTrack", tr("&Track the Chaos Game"), QRect(32, 696, 129, 25),
                      tr("Lay out the tracked game; each click on the canvas then takes one step")))
    , m_play(addButton(this, "cmdPlay", tr("&Play Chaos Game"), QRect(184, 696, 113, 25),
                      tr("Play the Chaos Game on a triangle, 500,000 dots")))
    , m_square(addButton(this, "cmdSquare", tr("&Square Chaos Game"), QRect(320, 696, 121, 25),
                      tr("Play the Chaos Game on a square, 3,000,000 dots")))
    , m_hexagon(addButton(this, "cmdHexagon", tr("&Hexagonal Chaos Game"), QRect(464, 696, 137, 25),
                      tr("Play the Chaos Game on a hexagon, 3,000,000 dots")))
    , m_fractional(addButton(this, "cmdFractional", tr("&Fractional Chaos Game"), QRect(624, 696, 129, 25),
                      tr("Ask for a fraction, then play the Chaos Game on a triangle with it")))
    , m_explain(addButton(this, "cmdExplain", tr("&Explain Chaos Theory"), QRect(776, 696, 121, 25),
                      tr("Show the first page about chaos theory")))
    , m_end(addButton(this, "cmdEnd", tr("&Quit"), QRect(920, 696, 73, 25),
                      tr("End the program")))
    // "Screen 2" lies on the canvas, placed from the canvas's interior.
    , m_screen2(addButton(m_canvas, "cmdScreen2", tr("Screen 2"), QRect(826, 602, 89, 33),
                      tr("Show the second page about chaos theory")))
    , m_context{*m_canvas, m_form, m_random, m_clock, *m_screen2, *m_explain}
    , m_accelerators(new Accelerators(*this))
    , m_input(new InputHoldBack(*this))
{
    setObjectName(QStringLiteral("frmCG"));
    setWindowTitle(tr("The Chaos Game"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(dialogFont(8.25));

    QPalette background = palette();
    background.setColor(QPalette::Window, kBackground);
    setPalette(background);
    setAutoFillBackground(true);
    // Until it is shown maximised, the window has its layout's own size.
    resize(kLayoutClientSize);

    setAccessibleName(tr("The Chaos Game"));
    setAccessibleDescription(tr("The canvas the chaos games draw on, above a row of buttons, one per mode"));

    m_canvas->setObjectName(QStringLiteral("picOutput"));
    m_canvas->setAccessibleName(tr("Output canvas"));
    m_canvas->setAccessibleDescription(
        tr("The picture the modes draw on. While the tracked game is laid out, a click on it, Space or Enter "
           "takes the next step"));
    m_canvas->move(32, 16);

    setTabOrder(m_canvas, m_track);
    setTabOrder(m_track, m_play);
    setTabOrder(m_play, m_square);
    setTabOrder(m_square, m_hexagon);
    setTabOrder(m_hexagon, m_fractional);
    setTabOrder(m_fractional, m_explain);
    setTabOrder(m_explain, m_end);
    setTabOrder(m_end, m_screen2);

    connectMode(m_track, atOnce<setUpTrackedGame>, QStringLiteral("tracked"));
    connectMode(m_play, playTriangleGame, QStringLiteral("triangle"));
    connectMode(m_square, atOnce<playSquareGame>, QStringLiteral("square"));
    connectMode(m_hexagon, atOnce<playHexagonalGame>, QStringLiteral("hexagon"));
    connectMode(m_fractional, playFractionalGame, QStringLiteral("fractional"));
    connectMode(m_explain, atOnce<showExplanationPageOne>, QStringLiteral("explanation"));
    connectMode(m_screen2, atOnce<showExplanationPageTwo>, QStringLiteral("explanation"));
    connect(m_canvas, &Canvas::clicked, this, [this] { runMode(atOnce<playTrackedStep>); });
    connect(m_canvas, &Canvas::activatedByKey, this, [this] { runMode(atOnce<playTrackedStep>); });
    connect(m_end, &QPushButton::clicked, this, &QWidget::close);
    createPictureActions();
    createWindowActions();
    // What a mode drew shows at once, not only at its next presentation;
    // screen readers hear the text it left.
    m_input->setAfterMode([this] {
        m_canvas->showDrawing();
        m_canvas->announceText();
    });

    layOutToScale();
    load();
    m_canvas->setFocus();
}

void MainWindow::layOutToScale()
{
    // Every control keeps the place it was given above, at scale 1; the
    // layouts scale the places with the window.
    auto *layout = new ScaledLayout(kLayoutClientSize, this);
    const QList<QWidget *> controls{m_canvas, m_track, m_play, m_square, m_hexagon, m_fractional, m_explain, m_end};
    for (QWidget *control : controls)
        layout->addWidget(control, control->geometry());
    connect(layout, &ScaledLayout::factorChanged, this, &MainWindow::applyLayoutScale);
    // The window keeps to the layout's minimum size; set before the window
    // is created, so that the layout finds it in place.
    setMinimumSize(layout->minimumSize());

    // "Screen 2" is placed from the canvas's interior, and scales with it.
    const QRect interior = m_canvas->contentsRect();
    auto *onCanvas = new ScaledLayout(interior.size(), m_canvas);
    onCanvas->addWidget(m_screen2, m_screen2->geometry().translated(-interior.topLeft()));
}

void MainWindow::applyLayoutScale(double factor)
{
    setFont(scaledFont(dialogFont(8.25), factor, *this));
    m_canvas->setLayoutScale(factor);
}

void MainWindow::childEvent(QChildEvent *event)
{
    // Dialogs opened on the window (the fraction's input box, its error
    // message) take the window's font, and with it the layout's scale.
    if (event->polished()) {
        auto *widget = qobject_cast<QWidget *>(event->child());
        if (widget && widget->isWindow())
            widget->setFont(font());
    }
    QWidget::childEvent(event);
}

QPushButton *MainWindow::addButton(QWidget *parent, const char *name, const QString &caption,
                                   const QRect &geometry, const QString &description)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAccessibleDescription(description);
    button->setToolTip(description);
    button->setGeometry(geometry);
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    return button;
}

void MainWindow::load()
{
    m_random.seed(m_clock.secondsSinceMidnight());
    m_canvas->setScale(0, 750, 1000, 0);
    m_screen2->hide();
    m_canvas->setFillStyle(Canvas::FillStyle::Solid);
}

void MainWindow::connectMode(QPushButton *button, Mode mode, const QString &name)
{
    connect(button, &QPushButton::clicked, this, [this, mode, name] { runMode(mode, name); });
}

void MainWindow::runMode(Mode mode, const QString &name)
{
    m_input->runInTurn([this, mode, name] {
        // A tracked step keeps the name of the game it belongs to.
        if (!name.isEmpty())
            m_lastModeName = name;
        return mode(m_context);
    });
}

void MainWindow::createPictureActions()
{
    // Like the buttons, they act only between modes: given during a run,
    // they wait for its end.
    auto *save = new QAction(tr("&Save Picture As\u2026"), this);
    save->setAutoRepeat(false);
    save->setObjectName(QStringLiteral("actSavePicture"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] {
        m_input->whenIdle([this] { m_pictureSharing.saveAs(m_canvas->picture(), m_lastModeName); });
    });

    auto *copy = new QAction(tr("&Copy Picture"), this);
    copy->setAutoRepeat(false);
    copy->setObjectName(QStringLiteral("actCopyPicture"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] {
        m_input->whenIdle([this] { m_pictureSharing.copy(m_canvas->picture()); });
    });

    auto *print = new QAction(tr("&Print Picture\u2026"), this);
    print->setAutoRepeat(false);
    print->setObjectName(QStringLiteral("actPrintPicture"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] {
        m_input->whenIdle([this] { printPicture(m_canvas->picture(), m_lastModeName, this); });
    });

    // The shortcuts work anywhere in the window; the canvas also offers
    // them in its context menu (right click, or the Menu key).
    // The Explorer is a window of its own, live even while a mode runs here.
    auto *explore = new QAction(tr("&Explore\u2026"), this);
    explore->setAutoRepeat(false);
    explore->setObjectName(QStringLiteral("actExplore"));
    explore->setShortcut(QKeySequence(tr("Ctrl+E")));
    connect(explore, &QAction::triggered, this, [this] { showExplorer(m_explorer); });

    addActions({save, copy, print, explore});
    m_canvas->addActions({save, copy, print, explore});
    m_canvas->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MainWindow::createWindowActions()
{
    // F11, and Esc while full screen: Esc only between modes, when no box
    // of the program is open (a box takes its own Esc).
    FullScreenToggle::install(*this, [this] { return !m_input->modeRunning(); });

    auto *help = new QAction(tr("&Help"), this);
    help->setAutoRepeat(false);
    help->setObjectName(QStringLiteral("actHelp"));
    help->setShortcut(Qt::Key_F1);
    connect(help, &QAction::triggered, this, [this] {
        m_input->whenIdle([this] {
            auto *window = new HelpWindow(this);
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->open();
        });
    });
    addAction(help);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing under a running mode would destroy what it draws on: a close
    // requested while a mode runs or input waits takes its turn instead, and
    // one requested while a box is open does nothing.
    if (!m_input->allowsCloseNow()) {
        event->ignore();
        return;
    }
    m_input->closeDown();
    if (m_explorer)
        m_explorer->close();
    QWidget::closeEvent(event);
}

MainWindow *showMainWindow(RandomSource &random, Clock &clock)
{
    auto *window = new MainWindow(random, clock);
    window->resize(kRestoredClientSize);
    window->showMaximized();
    return window;
}
