// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/settings.h"

#include "program/programidentity.h"
#include "files/ordinaryfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kSaveFolder = QStringLiteral("pictures/saveFolder");
const QString kExploration = QStringLiteral("explorer/exploration");
const QString kExplorerFolder = QStringLiteral("explorer/folder");

// Earlier releases kept the Explorer's values apart, in the settings of the
// program's organisation (on Linux "~/.config/The Chaos Game
// developers/chaos-game.conf"), a file no document named.
const QString kStrayOrganisation = QStringLiteral("The Chaos Game developers");

} // namespace

Settings::Settings()
{
    m_problem = settingsFilesProblem(programId(), programId(), kMostBytes);
    if (!m_problem.isEmpty())
        return;
    m_settings = std::make_unique<QSettings>(programId(), programId());
}

Settings::~Settings() = default;

// The values of the earlier releases' second file are read into the one
// file, without overwriting any already there, and the second file is then
// removed (on Windows its registry key emptied), so this happens once. A
// second file that is not safe to read is left alone, unread.
void Settings::takeOverStrayValues()
{
    if (!m_settings || !settingsFilesProblem(kStrayOrganisation, programId(), kMostBytes).isEmpty())
        return;
    QSettings stray(QSettings::NativeFormat, QSettings::UserScope, kStrayOrganisation, programId());
    stray.setFallbacksEnabled(false);
    const QStringList keys = stray.allKeys();
    const QString strayFile = stray.fileName();
    if (keys.isEmpty() && !QFileInfo(strayFile).isFile())
        return;
    for (const QString &key : keys) {
        if (!m_settings->contains(key))
            m_settings->setValue(key, stray.value(key));
    }
    // Kept until its values are safely in the one file.
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        return;
    stray.clear();
    stray.sync();
    if (QFileInfo(strayFile).isFile()) {
        QFile::remove(strayFile);
        QDir().rmdir(QFileInfo(strayFile).absolutePath()); // only if it is empty now
    }
}

QString Settings::value(const QString &key) const
{
    return m_settings ? m_settings->value(key).toString() : QString();
}

void Settings::setValue(const QString &key, const QString &value)
{
    if (m_settings)
        m_settings->setValue(key, value);
}

QString Settings::saveFolder() const
{
    return value(kSaveFolder);
}

void Settings::setSaveFolder(const QString &folder)
{
    setValue(kSaveFolder, folder);
}

QString Settings::exploration() const
{
    return value(kExploration);
}

void Settings::setExploration(const QString &text)
{
    setValue(kExploration, text);
}

QString Settings::explorerFolder() const
{
    return value(kExplorerFolder);
}

void Settings::setExplorerFolder(const QString &folder)
{
    setValue(kExplorerFolder, folder);
}
