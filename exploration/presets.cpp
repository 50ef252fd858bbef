// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/presets.h"

namespace {

struct Preset
{
    const char *name;
    ExplorationSettings settings;
};

// corners, centre, midpoints, ratio, rule
const Preset kPresets[] = {
    {"triangle", {3, false, false, 0.5, NextTargetRule::Any}},
    {"square", {4, false, false, 0.5, NextTargetRule::Any}}, // fills the square: no figure
    {"square-no-repeat", {4, false, false, 0.5, NextTargetRule::NoRepeat}},
    {"carpet", {4, false, true, 2.0 / 3, NextTargetRule::Any}},
    {"vicsek", {4, true, false, 2.0 / 3, NextTargetRule::Any}},
    {"pentaflake", {5, false, false, kGoldenRatioInverse, NextTargetRule::Any}},
    {"hexaflake", {6, true, false, 2.0 / 3, NextTargetRule::Any}},
    {"pentagon-no-repeat", {5, false, false, 0.5, NextTargetRule::NoRepeat}},
};

} // namespace

QStringList presetNames()
{
    QStringList names;
    for (const Preset &preset : kPresets)
        names.append(QString::fromLatin1(preset.name));
    return names;
}

std::optional<ExplorationSettings> presetNamed(const QString &name)
{
    for (const Preset &preset : kPresets) {
        if (name.trimmed().toLower() == QLatin1String(preset.name))
            return preset.settings;
    }
    return std::nullopt;
}
