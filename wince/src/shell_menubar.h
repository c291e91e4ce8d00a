// The soft-key bars the shell made, for the rest of the shell.
#pragma once

namespace wince::detail {

// The top edge of the visible bars that sit on the bottom edge of the screen;
// the screen height when there is none.
int softKeyBarTop();
// Forgets every bar (they die with the windows).
void forgetSoftKeyBars();

}  // namespace wince::detail
