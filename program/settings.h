// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QSettings;

// Everything the program remembers from one run to the next, in one
// settings file named after the program's id (on Linux
// ~/.config/chaos-game/chaos-game.conf; on Windows the registry key
// Software\chaos-game\chaos-game): the folder a picture was last saved in,
// and the Chaos Explorer's last exploration and the folder it last saved to
// or opened from. Only what a user expects to find again; nothing that
// changes what the main window shows when it opens. Each use opens the file
// afresh, so every window reads what another has written.
//
// The file is looked at before it is read: one that is not an ordinary
// file (a named pipe would keep the program from ever starting) or is too
// large is neither read nor written, and every value is its default.
class Settings
{
public:
    Settings();
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    // Why the settings cannot be used, naming the file; nothing when they can.
    QString problem() const { return m_problem; }
    // Copies in, once, what earlier releases kept in a second settings file
    // (the program's organisation's), without overwriting values already
    // here, and removes that file. Called at start-up.
    void takeOverStrayValues();

    // The folder a picture was last saved in; empty before the first save.
    QString saveFolder() const;
    void setSaveFolder(const QString &folder);
    // The Explorer's last exploration, as a .chaos file's text; empty at first.
    QString exploration() const;
    void setExploration(const QString &text);
    // Where the Explorer last saved or opened a file; empty at first.
    QString explorerFolder() const;
    void setExplorerFolder(const QString &folder);

    // The most a settings file may hold to be read.
    static constexpr qint64 kMostBytes = 1 << 20;

private:
    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &value);

    std::unique_ptr<QSettings> m_settings; // none when the file cannot be used
    QString m_problem;
};
