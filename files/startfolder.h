// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a dialog that saves or opens a file starts: `remembered` (the
// folder last saved to or opened from) while it is there; else the user's
// pictures folder; else the home folder.
QString startFolder(const QString &remembered);
