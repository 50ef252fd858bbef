// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationfile.h"

#include <QScrollArea>

class ExplorerRun;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

// The Chaos Explorer's controls, the column left of the figure: the
// figure's settings (preset, corners, further targets, ratio by slider or
// typed exactly, rule, colouring, dot size, background) and the run's
// buttons, speed and count. It shows the window's setup and tells, as a
// whole new setup, every change the user makes to it; the run's buttons
// act on the run directly. It scrolls when the screen is too small for all of it, so that
// the window fits any screen and the figure keeps its room.
class ExplorerControls : public QScrollArea
{
    Q_OBJECT

public:
    // Follows `setup`, which outlives the controls (the window's own).
    ExplorerControls(const ExplorerSetup &setup, ExplorerRun &run, QWidget *parent = nullptr);

    // Shows the setup as it is now on the controls, telling nothing.
    void showSetup();
    // As the Start/Pause button does.
    void startOrPause();

signals:
    // The user changed a setting: this is the setup to run from now on.
    void setupChosen(const ExplorerSetup &setup);
    // The exact ratio was typed anew as `typed`, naming the ratio in use.
    void ratioWritten(const QString &typed);

private:
    void settingChanged();
    void setRatio(double ratio);
    void takeRatioText();
    void speedChanged(int position);
    void showProgress();

    const ExplorerSetup &m_setup;
    ExplorerRun &m_run;
    bool m_showing = false; // the controls are being set from the setup

    QComboBox *m_preset = nullptr;
    QSpinBox *m_corners = nullptr;
    QCheckBox *m_centre = nullptr;
    QCheckBox *m_midpoints = nullptr;
    QSlider *m_ratioSlider = nullptr;
    QComboBox *m_ratioText = nullptr;
    QComboBox *m_rule = nullptr;
    QCheckBox *m_colour = nullptr;
    QComboBox *m_dotSize = nullptr;
    QComboBox *m_background = nullptr;
    QPushButton *m_startPause = nullptr;
    QSlider *m_speed = nullptr;
    QLabel *m_speedLabel = nullptr;
    QLabel *m_count = nullptr;
};

// The speed slider's positions: 0 is one dot a second, each step a factor
// of ten to the 1/20th, and the last position full speed.
inline constexpr int kSpeedPositions = 121;
double dotsPerSecondAt(int position);
