// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct ModeContext;

// "&Explain Chaos Theory": the first page of explanation, which ends by
// showing "Screen 2" with the keyboard focus.
void showExplanationPageOne(ModeContext &mode);

// "Screen 2": the second page, printed in the style page one left; hands
// the focus back to "&Explain Chaos Theory".
void showExplanationPageTwo(ModeContext &mode);
