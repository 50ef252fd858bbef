// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/settings.h"

#include "program/programidentity.h"

namespace {

const QString kSaveFolder = QStringLiteral("pictures/saveFolder");

} // namespace

Settings::Settings() : m_settings(programId(), programId())
{
}

QString Settings::saveFolder() const
{
    return m_settings.value(kSaveFolder).toString();
}

void Settings::setSaveFolder(const QString &folder)
{
    m_settings.setValue(kSaveFolder, folder);
}
