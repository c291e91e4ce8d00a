// The soft-key bars the shell made, for the rest of the shell.
#pragma once

#include <string>

namespace wince::detail {

// The top edge of the visible bars that sit on the bottom edge of the screen;
// the screen height when there is none.
int softKeyBarTop();
// The labels of the active window's bar as "left | right"; empty without one.
std::u16string activeSoftKeyLabels();
// Forgets every bar (they die with the windows).
void forgetSoftKeyBars();

}  // namespace wince::detail
