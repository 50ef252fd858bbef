// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorerwindow.h"

#include "program/filechoice.h"

#include "picture/programface.h"
#include "exploration/presets.h"
#include "explorer/explorerrun.h"
#include "explorer/explorerview.h"
#include "explorer/largepicture.h"
#include "exploration/explorationrecovery.h"
#include "exploration/ordinaryfile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QKeyEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr double kZoomStep = 1.5;
const char *const kSettingsGroup = "explorer";
const char *const kSettingsKey = "exploration";

// The ratio slider's positions are thousandths.
constexpr int kRatioSteps = 1000;

QLabel *buddyLabel(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

template <typename Widget>
Widget *described(Widget *widget, const char *name, const QString &accessibleName, const QString &tip)
{
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(accessibleName);
    widget->setToolTip(tip);
    return widget;
}

} // namespace

double dotsPerSecondAt(int position)
{
    if (position >= kSpeedPositions - 1)
        return ExplorerRun::kFullSpeed;
    return std::pow(10.0, position / 20.0);
}

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

    buildControls();
    buildActions();
    connect(m_run, &ExplorerRun::progressed, this, &ExplorerWindow::showProgress);
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
    remember();
}

ExplorerSetup ExplorerWindow::rememberedSetup()
{
    // The settings file is looked at before it is read: a named pipe in its
    // place would keep the window from ever opening.
    if (const QString problem = settingsFilesProblem(kMostSettingsBytes); !problem.isEmpty()) {
        m_settingsUsable = false;
        reportLater(tr("The Explorer cannot use its settings. %1").arg(problem));
        return ExplorerSetup{};
    }
    QSettings settings;
    settings.beginGroup(QLatin1String(kSettingsGroup));
    m_folder = settings.value(QStringLiteral("folder")).toString();
    const QString text = settings.value(QLatin1String(kSettingsKey)).toString();
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

void ExplorerWindow::buildControls()
{
    // The figure's settings.
    m_preset = described(new QComboBox, "preset", tr("Preset"), tr("Start from a figure worth showing"));
    m_preset->addItems(presetNames());
    m_preset->setPlaceholderText(tr("(own settings)"));
    m_corners = described(new QSpinBox, "corners", tr("Corners"), tr("The corners of the regular polygon, 3 to 12"));
    m_corners->setRange(Targets::kMinCorners, Targets::kMaxCorners);
    m_centre = described(new QCheckBox(tr("Ce&ntre")), "centre", tr("Centre as a target"),
                         tr("Also move towards the polygon's centre"));
    m_midpoints = described(new QCheckBox(tr("&Midpoints")), "midpoints", tr("Midpoints as targets"),
                            tr("Also move towards the midpoints of the polygon's edges"));
    m_ratioSlider = described(new QSlider(Qt::Horizontal), "ratioSlider", tr("Ratio"),
                              tr("How far each step moves towards the target"));
    m_ratioSlider->setRange(1, kRatioSteps - 1);
    m_ratioSlider->setPageStep(50);
    m_ratioText = described(new QComboBox, "ratio", tr("Exact ratio"),
                            tr("The ratio exactly: a decimal (0.5), a fraction (2/3) or golden"));
    m_ratioText->setEditable(true);
    m_ratioText->setInsertPolicy(QComboBox::NoInsert);
    // No completion: "1" typed must stay "1" (and be refused), not become "1/2".
    m_ratioText->setCompleter(nullptr);
    m_ratioText->addItems({QStringLiteral("1/2"), QStringLiteral("1/3"), QStringLiteral("2/3"), QStringLiteral("golden")});
    m_rule = described(new QComboBox, "rule", tr("Rule"), tr("Which target may come next"));
    m_rule->addItems(ruleNames());
    m_colour = described(new QCheckBox(tr("C&olour by target")), "colour", tr("Colour by target"),
                         tr("Give each dot the colour of the target it moved towards"));
    m_dotSize = described(new QComboBox, "dotSize", tr("Dot size"), tr("Larger dots show better on a projector"));
    m_dotSize->addItems({tr("1 pixel"), tr("2 pixels")});
    m_background = described(new QComboBox, "background", tr("Background"), tr("Dots on white, or light dots on black"));
    m_background->addItems({tr("Light"), tr("Dark")});

    auto *targets = new QHBoxLayout;
    targets->addWidget(m_centre);
    targets->addWidget(m_midpoints);
    targets->addStretch();

    auto *figure = new QGroupBox(tr("Figure"));
    auto *form = new QFormLayout(figure);
    form->addRow(buddyLabel(tr("&Preset:"), m_preset), m_preset);
    form->addRow(buddyLabel(tr("&Corners:"), m_corners), m_corners);
    form->addRow(tr("Also:"), targets);
    form->addRow(buddyLabel(tr("&Ratio:"), m_ratioSlider), m_ratioSlider);
    form->addRow(buddyLabel(tr("E&xact ratio:"), m_ratioText), m_ratioText);
    form->addRow(buddyLabel(tr("R&ule:"), m_rule), m_rule);
    form->addRow(QString(), m_colour);
    form->addRow(buddyLabel(tr("Dot si&ze:"), m_dotSize), m_dotSize);
    form->addRow(buddyLabel(tr("&Background:"), m_background), m_background);

    // Running it.
    const auto button = [](const QString &text, const char *name, const QString &accessible, const QString &tip) {
        auto *made = described(new QPushButton(text), name, accessible, tip);
        made->setAutoDefault(false);
        return made;
    };
    m_startPause = button(tr("&Start"), "startPause", tr("Start or pause"), tr("Start or pause the drawing (Space)"));
    auto *step = button(tr("St&ep"), "step", tr("Step"), tr("Draw one dot and show its move"));
    auto *more100 = button(tr("+&100"), "draw100", tr("Draw 100 more"), tr("Draw 100 more dots"));
    auto *more1000 = button(tr("+1,00&0"), "draw1000", tr("Draw 1,000 more"), tr("Draw 1,000 more dots"));
    auto *more10000 = button(tr("+10,000"), "draw10000", tr("Draw 10,000 more"), tr("Draw 10,000 more dots"));
    auto *clear = button(tr("C&lear"), "clear", tr("Clear"), tr("Clear the figure (Delete)"));
    m_speed = described(new QSlider(Qt::Horizontal), "speed", tr("Speed"),
                        tr("From one dot a second to full speed"));
    m_speed->setRange(0, kSpeedPositions - 1);
    m_speed->setPageStep(20);
    m_speed->setValue(kSpeedPositions - 1);
    m_speedLabel = new QLabel;
    m_speedLabel->setObjectName(QStringLiteral("speedText"));
    m_count = new QLabel;
    m_count->setObjectName(QStringLiteral("count"));
    // The count grows and says when the figure is complete: it wraps within
    // the column rather than widen it, which would resize the figure and
    // start its drawing afresh.
    m_count->setWordWrap(true);
    m_count->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_count->setAccessibleName(tr("Dots drawn"));

    auto *running = new QGroupBox(tr("Drawing"));
    auto *grid = new QGridLayout(running);
    grid->addWidget(m_startPause, 0, 0);
    grid->addWidget(step, 0, 1);
    grid->addWidget(clear, 0, 2);
    grid->addWidget(more100, 1, 0);
    grid->addWidget(more1000, 1, 1);
    grid->addWidget(more10000, 1, 2);
    grid->addWidget(buddyLabel(tr("Spee&d:"), m_speed), 2, 0);
    grid->addWidget(m_speed, 2, 1, 1, 2);
    grid->addWidget(m_speedLabel, 3, 1, 1, 2);
    grid->addWidget(m_count, 4, 0, 1, 3);

    // The controls scroll when the screen is too small for all of them, so
    // that the window fits any screen and the figure keeps its room.
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("controls"));
    auto *side = new QVBoxLayout(panel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(figure);
    side->addWidget(running);
    side->addStretch();
    auto *scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("controlsScroller"));
    scroller->setWidget(panel);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    scroller->setMinimumWidth(panel->minimumSizeHint().width()
                              + scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    auto *whole = new QHBoxLayout(this);
    whole->addWidget(scroller);
    whole->addWidget(m_view, 1);

    // Any setting starts the figure afresh.
    connect(m_preset, &QComboBox::activated, this, [this](int index) {
        if (const auto preset = presetNamed(m_preset->itemText(index))) {
            ExplorerSetup setup = m_setup;
            setup.settings = *preset;
            setup.view.reset();
            applySetup(setup);
        }
    });
    connect(m_corners, &QSpinBox::valueChanged, this, &ExplorerWindow::settingChanged);
    for (QCheckBox *box : {m_centre, m_midpoints, m_colour})
        connect(box, &QCheckBox::toggled, this, &ExplorerWindow::settingChanged);
    for (QComboBox *box : {m_rule, m_dotSize, m_background})
        connect(box, &QComboBox::currentIndexChanged, this, &ExplorerWindow::settingChanged);
    connect(m_ratioSlider, &QSlider::valueChanged, this,
            [this](int value) { setRatio(double(value) / kRatioSteps, true); });
    connect(m_ratioText, &QComboBox::activated, this, [this] { takeRatioText(); });
    connect(m_ratioText->lineEdit(), &QLineEdit::editingFinished, this, &ExplorerWindow::takeRatioText);

    connect(m_startPause, &QPushButton::clicked, this, [this] { m_run->isRunning() ? m_run->pause() : m_run->start(); });
    connect(step, &QPushButton::clicked, this, [this] {
        m_run->pause();
        m_run->step();
    });
    connect(more100, &QPushButton::clicked, this, [this] { m_run->drawMore(100); });
    connect(more1000, &QPushButton::clicked, this, [this] { m_run->drawMore(1000); });
    connect(more10000, &QPushButton::clicked, this, [this] { m_run->drawMore(10000); });
    connect(clear, &QPushButton::clicked, m_run, &ExplorerRun::clear);
    connect(m_speed, &QSlider::valueChanged, this, &ExplorerWindow::speedChanged);
    speedChanged(m_speed->value());
}

QAction *ExplorerWindow::addAction(const QString &text, const QKeySequence &shortcut, const char *name,
                                   const std::function<void()> &act)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setAutoRepeat(false);
    connect(action, &QAction::triggered, this, act);
    QWidget::addAction(action);
    return action;
}

void ExplorerWindow::buildActions()
{
    auto *menus = new QMenuBar(this);
    layout()->setMenuBar(menus);

    QMenu *file = menus->addMenu(tr("&File"));
    file->addAction(addAction(tr("&Open Exploration\u2026"), QKeySequence::Open, "actOpen", [this] { askToOpen(); }));
    file->addAction(addAction(tr("Save E&xploration As\u2026"), QKeySequence(tr("Ctrl+Shift+S")), "actSaveExploration",
                              [this] { askToSave(); }));
    file->addSeparator();
    QAction *savePicture = addAction(tr("&Save Picture As\u2026"), QKeySequence::Save, "actSavePicture",
                                     [this] { savePictureAs(); });
    QAction *saveLarge = addAction(tr("Save &Large Picture\u2026"), QKeySequence(tr("Ctrl+L")), "actSaveLarge",
                                   [this] { saveLargePicture(); });
    QAction *copy = addAction(tr("&Copy Picture"), QKeySequence::Copy, "actCopyPicture",
                              [this] { QApplication::clipboard()->setImage(m_view->shownImage()); });
    file->addActions({savePicture, saveLarge, copy});
    file->addSeparator();
    file->addAction(addAction(tr("&Close"), QKeySequence::Close, "actClose", [this] { close(); }));

    QMenu *view = menus->addMenu(tr("&View"));
    QAction *zoomIn = addAction(tr("Zoom &In"), QKeySequence(Qt::Key_Plus), "actZoomIn",
                                [this] { m_view->zoomAtPointer(kZoomStep); });
    zoomIn->setShortcuts({QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal), QKeySequence::ZoomIn});
    QAction *zoomOut = addAction(tr("Zoom &Out"), QKeySequence(Qt::Key_Minus), "actZoomOut",
                                 [this] { m_view->zoomAtPointer(1 / kZoomStep); });
    zoomOut->setShortcuts({QKeySequence(Qt::Key_Minus), QKeySequence::ZoomOut});
    QAction *home = addAction(tr("&Whole Figure"), QKeySequence(Qt::Key_Home), "actHome",
                              [this] { m_view->resetView(); });
    view->addActions({zoomIn, zoomOut, home});

    // Space and Delete act anywhere in the window; but Space on a focused
    // button or check box is that control's own, as everywhere.
    for (QAbstractButton *control : findChildren<QAbstractButton *>())
        control->installEventFilter(this);
    addAction(tr("Start or Pause"), QKeySequence(Qt::Key_Space), "actStartPause", [this] { m_startPause->click(); });
    addAction(tr("Clear"), QKeySequence(Qt::Key_Delete), "actClear", [this] { m_run->clear(); });

    m_view->addActions({savePicture, saveLarge, copy, zoomIn, zoomOut, home});
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void ExplorerWindow::applySetup(const ExplorerSetup &setup)
{
    m_setup = setup;
    m_showing = true;
    showSetupOnControls();
    m_view->setDotSize(m_setup.dotSize);
    m_view->setTargets(m_setup.settings.targets());
    m_view->setView(m_setup.view);
    m_showing = false;
    m_run->restart(m_setup);
    remember();
}

void ExplorerWindow::showSetupOnControls()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_corners), QSignalBlocker(m_centre),
                                       QSignalBlocker(m_midpoints), QSignalBlocker(m_ratioSlider),
                                       QSignalBlocker(m_rule), QSignalBlocker(m_colour),
                                       QSignalBlocker(m_dotSize), QSignalBlocker(m_background)};
    const ExplorationSettings &s = m_setup.settings;
    m_corners->setValue(s.corners);
    m_centre->setChecked(s.centre);
    m_midpoints->setChecked(s.midpoints);
    m_ratioSlider->setValue(int(std::lround(s.ratio * kRatioSteps)));
    m_ratioText->setEditText(ratioAsWritten(s.ratio, s.ratioTyped));
    m_rule->setCurrentText(nameOf(s.rule));
    m_colour->setChecked(s.colourByTarget);
    m_dotSize->setCurrentIndex(m_setup.dotSize == 2 ? 1 : 0);
    m_background->setCurrentIndex(m_setup.dark ? 1 : 0);
    // The preset shows when the settings are exactly one.
    int preset = -1;
    for (int i = 0; i < m_preset->count(); ++i) {
        const auto named = presetNamed(m_preset->itemText(i));
        if (named && named->corners == s.corners && named->centre == s.centre && named->midpoints == s.midpoints
            && named->ratio == s.ratio && named->rule == s.rule) {
            preset = i;
            break;
        }
    }
    m_preset->setCurrentIndex(preset);
}

void ExplorerWindow::settingChanged()
{
    if (m_showing)
        return;
    ExplorerSetup setup = m_setup;
    setup.settings.corners = m_corners->value();
    setup.settings.centre = m_centre->isChecked();
    setup.settings.midpoints = m_midpoints->isChecked();
    setup.settings.rule = ruleNamed(m_rule->currentText()).value_or(NextTargetRule::Any);
    setup.settings.colourByTarget = m_colour->isChecked();
    setup.dotSize = m_dotSize->currentIndex() == 1 ? 2 : 1;
    setup.dark = m_background->currentIndex() == 1;
    // Another polygon is a new figure: it is shown whole.
    if (setup.settings.corners != m_setup.settings.corners)
        setup.view.reset();
    applySetup(setup);
}

void ExplorerWindow::setRatio(double ratio, bool fromSlider)
{
    if (m_showing || !(ratio > 0 && ratio < 1) || ratio == m_setup.settings.ratio)
        return;
    ExplorerSetup setup = m_setup;
    setup.settings.ratio = ratio;
    if (fromSlider)
        setup.settings.ratioTyped.clear();
    applySetup(setup);
    if (fromSlider)
        m_ratioText->setEditText(ratioAsWritten(ratio));
}

void ExplorerWindow::takeRatioText()
{
    // Read as a .chaos file and --ratio read it; kept as typed, so that a
    // saved exploration says 2/3 or golden.
    const QString typed = m_ratioText->currentText().trimmed();
    const std::optional<double> ratio = readRatio(typed);
    if (!ratio) {
        // Not a ratio: the field shows the ratio in use again.
        m_ratioText->setEditText(ratioAsWritten(m_setup.settings.ratio, m_setup.settings.ratioTyped));
        return;
    }
    m_setup.settings.ratioTyped = typed;
    if (*ratio == m_setup.settings.ratio)
        remember();
    setRatio(*ratio, false);
}

void ExplorerWindow::speedChanged(int position)
{
    const double rate = dotsPerSecondAt(position);
    m_run->setDotsPerSecond(rate);
    m_speedLabel->setText(rate >= ExplorerRun::kFullSpeed ? tr("Full speed")
                          : rate < 1.5                    ? tr("1 dot a second")
                              : tr("%1 dots a second").arg(QLocale().toString(qlonglong(std::lround(rate)))));
    m_speed->setAccessibleDescription(m_speedLabel->text());
}

void ExplorerWindow::showProgress()
{
    m_startPause->setText(m_run->isRunning() ? tr("Pau&se") : tr("&Start"));
    const QString count = QLocale().toString(qulonglong(m_run->dotsDrawn()));
    m_count->setText(m_run->isComplete() ? tr("Dots drawn: %1 (complete)").arg(count)
                                         : tr("Dots drawn: %1").arg(count));
}

void ExplorerWindow::remember() const
{
    if (!m_settingsUsable)
        return;
    QSettings settings;
    settings.beginGroup(QLatin1String(kSettingsGroup));
    settings.setValue(QLatin1String(kSettingsKey), explorationText(m_setup));
    if (!m_folder.isEmpty())
        settings.setValue(QStringLiteral("folder"), m_folder);
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

namespace {

QString startingFolder(const QString &folder)
{
    if (!folder.isEmpty() && QDir(folder).exists())
        return folder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

QStringList pictureFilters()
{
    return {ExplorerWindow::tr("PNG image (*.png)"), ExplorerWindow::tr("JPEG image (*.jpg *.jpeg)"),
            ExplorerWindow::tr("BMP image (*.bmp)")};
}

} // namespace

void ExplorerWindow::askToOpen()
{
    askForFile(this, tr("Open Exploration"), startingFolder(m_folder), QString(),
               {tr("Explorations (*.chaos)"), tr("All files (*)")}, false, [this](const QString &path) {
                   m_folder = QFileInfo(path).absolutePath();
                   const QString problem = openExploration(path);
                   if (!problem.isEmpty())
                       tell(tr("Open Exploration"), problem);
               });
}

void ExplorerWindow::askToSave()
{
    askForFile(this, tr("Save Exploration As"), startingFolder(m_folder), QStringLiteral("exploration.chaos"),
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
    askForFile(this, tr("Save Picture As"), startingFolder(m_folder), QStringLiteral("chaos-explorer.png"),
               pictureFilters(), true, [this, shown](const QString &path) {
                   m_folder = QFileInfo(path).absolutePath();
                   if (m_writer)
                       m_writer(shown, path);
                   else if (shown.save(path))
                       fileWritten(path);
                   else
                       tell(tr("Save Picture As"), tr("The picture could not be saved as %1.")
                                                       .arg(QDir::toNativeSeparators(path)));
               });
}

void ExplorerWindow::saveLargePicture()
{
    // One large picture at a time: it takes every core and much memory.
    if (m_largePicture)
        return;
    m_largePicture = LargePicture::ask(this, m_setup, m_view->view(), pictureFilters(), startingFolder(m_folder),
                      [this](const QImage &picture, const QString &path) {
                          m_folder = QFileInfo(path).absolutePath();
                          if (m_writer)
                              return m_writer(picture, path);
                          const bool saved = picture.save(path);
                          if (saved)
                              fileWritten(path);
                          return saved;
                      });
}
