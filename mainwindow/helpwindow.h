// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The short help that F1 opens: what each button and key does, from the
// program's one list of keys, with the way to the About box and to Qt's.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);
};
