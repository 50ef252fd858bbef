// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

// What the program remembers from one run to the next, in the user's
// settings file, named after the program's id (on Linux
// ~/.config/chaos-game/chaos-game.conf). Only what a user expects to find
// again; nothing that changes what the main window shows when it opens.
// Each use opens the file afresh, so every window reads what another has
// written.
class Settings
{
public:
    Settings();

    // The folder a picture was last saved in; empty before the first save.
    QString saveFolder() const;
    void setSaveFolder(const QString &folder);

private:
    QSettings m_settings;
};
