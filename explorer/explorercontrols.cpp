// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorercontrols.h"

#include "exploration/presets.h"
#include "explorer/explorerrun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace {

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

ExplorerControls::ExplorerControls(const ExplorerSetup &setup, ExplorerRun &run, QWidget *parent)
    : QScrollArea(parent), m_setup(setup), m_run(run)
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
    auto *scroller = this;
    scroller->setObjectName(QStringLiteral("controlsScroller"));
    scroller->setWidget(panel);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroller->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    scroller->setMinimumWidth(panel->minimumSizeHint().width()
                              + scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent));

    // Any setting starts the figure afresh.
    connect(m_preset, &QComboBox::activated, this, [this](int index) {
        if (const auto preset = presetNamed(m_preset->itemText(index))) {
            ExplorerSetup setup = m_setup;
            setup.settings = *preset;
            setup.view.reset();
            emit setupChosen(setup);
        }
    });
    connect(m_corners, &QSpinBox::valueChanged, this, &ExplorerControls::settingChanged);
    for (QCheckBox *box : {m_centre, m_midpoints, m_colour})
        connect(box, &QCheckBox::toggled, this, &ExplorerControls::settingChanged);
    for (QComboBox *box : {m_rule, m_dotSize, m_background})
        connect(box, &QComboBox::currentIndexChanged, this, &ExplorerControls::settingChanged);
    connect(m_ratioSlider, &QSlider::valueChanged, this,
            [this](int value) { setRatio(double(value) / kRatioSteps); });
    connect(m_ratioText, &QComboBox::activated, this, [this] { takeRatioText(); });
    connect(m_ratioText->lineEdit(), &QLineEdit::editingFinished, this, &ExplorerControls::takeRatioText);

    connect(m_startPause, &QPushButton::clicked, this, [this] { m_run.isRunning() ? m_run.pause() : m_run.start(); });
    connect(step, &QPushButton::clicked, this, [this] {
        m_run.pause();
        m_run.step();
    });
    connect(more100, &QPushButton::clicked, this, [this] { m_run.drawMore(100); });
    connect(more1000, &QPushButton::clicked, this, [this] { m_run.drawMore(1000); });
    connect(more10000, &QPushButton::clicked, this, [this] { m_run.drawMore(10000); });
    connect(clear, &QPushButton::clicked, &m_run, &ExplorerRun::clear);
    connect(m_speed, &QSlider::valueChanged, this, &ExplorerControls::speedChanged);
    speedChanged(m_speed->value());
    connect(&m_run, &ExplorerRun::progressed, this, &ExplorerControls::showProgress);
}

void ExplorerControls::showSetup()
{
    m_showing = true;
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
        // Presets colour nothing; the colouring is the user's either way.
        auto named = presetNamed(m_preset->itemText(i));
        if (named)
            named->colourByTarget = s.colourByTarget;
        if (named && *named == s) {
            preset = i;
            break;
        }
    }
    m_preset->setCurrentIndex(preset);
    m_showing = false;
}

void ExplorerControls::settingChanged()
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
    emit setupChosen(setup);
}

void ExplorerControls::setRatio(double ratio)
{
    if (m_showing || !(ratio > 0 && ratio < 1) || ratio == m_setup.settings.ratio)
        return;
    ExplorerSetup setup = m_setup;
    setup.settings.ratio = ratio;
    setup.settings.ratioTyped.clear();
    emit setupChosen(setup);
    m_ratioText->setEditText(ratioAsWritten(ratio));
}

void ExplorerControls::takeRatioText()
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
    if (*ratio == m_setup.settings.ratio) {
        emit ratioWritten(typed);
        return;
    }
    ExplorerSetup setup = m_setup;
    setup.settings.ratio = *ratio;
    setup.settings.ratioTyped = typed;
    emit setupChosen(setup);
}

void ExplorerControls::speedChanged(int position)
{
    const double rate = dotsPerSecondAt(position);
    m_run.setDotsPerSecond(rate);
    m_speedLabel->setText(rate >= ExplorerRun::kFullSpeed ? tr("Full speed")
                          : rate < 1.5                    ? tr("1 dot a second")
                              : tr("%1 dots a second").arg(QLocale().toString(qlonglong(std::lround(rate)))));
    m_speed->setAccessibleDescription(m_speedLabel->text());
}

void ExplorerControls::showProgress()
{
    m_startPause->setText(m_run.isRunning() ? tr("Pau&se") : tr("&Start"));
    const QString count = QLocale().toString(qulonglong(m_run.dotsDrawn()));
    m_count->setText(m_run.isComplete() ? tr("Dots drawn: %1 (complete)").arg(count)
                                         : tr("Dots drawn: %1").arg(count));
}

void ExplorerControls::startOrPause()
{
    m_startPause->click();
}
