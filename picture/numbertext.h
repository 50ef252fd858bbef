// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A number as the canvas prints it: a blank in the place of the sign (or a
// minus sign), the digits, and a trailing blank: 9 prints as " 9 ".
QString numberText(double value);
