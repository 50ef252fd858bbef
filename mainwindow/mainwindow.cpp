// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "mainwindow/accelerators.h"
#include "mainwindow/dialogfont.h"
#include "mainwindow/explorerlaunch.h"
#include "mainwindow/fractionboxes.h"
#include "mainwindow/fullscreen.h"
#include "mainwindow/helpwindow.h"
#include "mainwindow/inputholdback.h"
#include "mainwindow/layoutscale.h"
#include "mainwindow/pictureprinting.h"
#include "program/platform.h"
#include "program/programicon.h"
#include "program/windowaction.h"
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

#include <utility>

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
    , m_context{*m_canvas, m_form, m_random, m_clock, *this}
    , m_accelerators(new Accelerators(*this))
    , m_input(new InputHoldBack(*this))
{
    addButtonRow();
    // "Screen 2" lies on the canvas, placed from the canvas's interior.
    m_screen2 = addButton(m_canvas, "cmdScreen2", tr("Screen 2"), QRect(826, 602, 89, 33),
                          tr("Show the second page about chaos theory"));
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

    // The focus goes from the canvas along the row and on to "Screen 2".
    QWidget *previous = m_canvas;
    for (QPushButton *button : m_buttons)
        setTabOrder(std::exchange(previous, button), button);
    setTabOrder(previous, m_screen2);
    connectMode(m_screen2, atOnce<showExplanationPageTwo>, QStringLiteral("explanation"));
    connect(m_canvas, &Canvas::clicked, this, [this] { runMode(atOnce<playTrackedStep>); });
    connect(m_canvas, &Canvas::activatedByKey, this, [this] { runMode(atOnce<playTrackedStep>); });
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
    layout->addWidget(m_canvas, m_canvas->geometry());
    for (QPushButton *button : m_buttons)
        layout->addWidget(button, button->geometry());
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

// The row of buttons under the canvas, left to right, which is also their
// order for the Tab key: each with the mode it starts and the name that mode
// gives a saved picture; the last one ends the program.
struct MainWindow::ButtonRow
{
    const char *name;
    const char *caption;
    QRect geometry;
    const char *description;
    Mode mode;
    const char *modeName;
};

void MainWindow::addButtonRow()
{
    static const ButtonRow rows[kButtonCount] = {
        {"cmdTrack", QT_TR_NOOP("&Track the Chaos Game"), QRect(32, 696, 129, 25),
         QT_TR_NOOP("Lay out the tracked game; each click on the canvas then takes one step"),
         atOnce<setUpTrackedGame>, "tracked"},
        {"cmdPlay", QT_TR_NOOP("&Play Chaos Game"), QRect(184, 696, 113, 25),
         QT_TR_NOOP("Play the Chaos Game on a triangle, 500,000 dots"), playTriangleGame, "triangle"},
        {"cmdSquare", QT_TR_NOOP("&Square Chaos Game"), QRect(320, 696, 121, 25),
         QT_TR_NOOP("Play the Chaos Game on a square, 3,000,000 dots"), atOnce<playSquareGame>, "square"},
        {"cmdHexagon", QT_TR_NOOP("&Hexagonal Chaos Game"), QRect(464, 696, 137, 25),
         QT_TR_NOOP("Play the Chaos Game on a hexagon, 3,000,000 dots"), atOnce<playHexagonalGame>, "hexagon"},
        {"cmdFractional", QT_TR_NOOP("&Fractional Chaos Game"), QRect(624, 696, 129, 25),
         QT_TR_NOOP("Ask for a fraction, then play the Chaos Game on a triangle with it"), playFractionalGame,
         "fractional"},
        {"cmdExplain", QT_TR_NOOP("&Explain Chaos Theory"), QRect(776, 696, 121, 25),
         QT_TR_NOOP("Show the first page about chaos theory"), atOnce<showExplanationPageOne>, "explanation"},
        {"cmdEnd", QT_TR_NOOP("&Quit"), QRect(920, 696, 73, 25), QT_TR_NOOP("End the program"), nullptr, nullptr},
    };
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonRow &row = rows[i];
        QPushButton *button = addButton(this, row.name, tr(row.caption), row.geometry, tr(row.description));
        if (row.mode) {
            connectMode(button, row.mode, QLatin1String(row.modeName));
        } else {
            connect(button, &QPushButton::clicked, this, &QWidget::close);
            // A page in a browser is closed by the browser: Quit stays in
            // its place, disabled.
            button->setEnabled(Platform::canQuit());
        }
        if (row.mode == atOnce<showExplanationPageOne>)
            m_explain = button;
        m_buttons[i] = button;
    }
}

void MainWindow::showScreenTwo(bool shown)
{
    m_screen2->setVisible(shown);
    if (shown)
        m_screen2->setFocus();
}

void MainWindow::focusExplain()
{
    m_explain->setFocus();
}

void MainWindow::askFraction(QObject *context, std::function<void(const QString &)> answered)
{
    askForFraction(*this, context, std::move(answered));
}

void MainWindow::refuseFraction(QObject *context, std::function<void()> closed)
{
    showFractionRefusal(*this, context, std::move(closed));
}

void MainWindow::load()
{
    m_random.seed(m_clock.secondsSinceMidnight());
    m_canvas->setScale(0, 750, 1000, 0);
    m_screen2->hide();
    m_canvas->setFillStyle(Easel::FillStyle::Solid);
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
    QAction *save = addWindowAction(this, tr("&Save Picture As\u2026"), QKeySequence::Save, "actSavePicture", [this] {
        m_input->whenIdle([this] { m_pictureSharing.saveAs(m_canvas->picture(), m_lastModeName); });
    });
    QAction *copy = addWindowAction(this, tr("&Copy Picture"), QKeySequence::Copy, "actCopyPicture", [this] {
        m_input->whenIdle([this] { m_pictureSharing.copy(m_canvas->picture()); });
    });
    QAction *print = addWindowAction(this, tr("&Print Picture\u2026"), QKeySequence::Print, "actPrintPicture", [this] {
        m_input->whenIdle([this] { printPicture(m_canvas->picture(), m_lastModeName, this); });
    });
    // Where the program cannot print (in a browser), Print is left out.
    print->setVisible(Platform::canPrint());
    // The Explorer is a window of its own, live even while a mode runs here.
    QAction *explore = addWindowAction(this, tr("&Explore\u2026"), QKeySequence(tr("Ctrl+E")), "actExplore",
                                       [this] { showExplorer(m_explorer); });

    // The shortcuts work anywhere in the window; the canvas also offers
    // them in its context menu (right click, or the Menu key).
    m_canvas->addActions({save, copy, print, explore});
    m_canvas->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void MainWindow::createWindowActions()
{
    // F11, and Esc while full screen: Esc only between modes, when no box
    // of the program is open (a box takes its own Esc).
    FullScreenToggle::install(*this, [this] { return !m_input->modeRunning(); });

    addWindowAction(this, tr("&Help"), QKeySequence(Qt::Key_F1), "actHelp", [this] {
        m_input->whenIdle([this] {
            auto *window = new HelpWindow(this);
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->open();
        });
    });
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
    if (Platform::opensFullScreen())
        window->showFullScreen();
    else
        window->showMaximized();
    return window;
}
