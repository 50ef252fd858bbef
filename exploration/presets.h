// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exploration/explorationsettings.h"

#include <QString>
#include <QStringList>

#include <optional>

// Explorations known by name, each a figure worth showing a class.
QStringList presetNames();
std::optional<ExplorationSettings> presetNamed(const QString &name);
