// The task bar the Pocket PC shell draws across the top of the screen: the
// active window's title on the left and the clock on the right, painted by
// the desktop window into the strip the work area leaves out.
#pragma once

#include "wince/types.h"

namespace wince::detail {

// The desktop's window procedure: the task bar, then black.
LRESULT CALLBACK desktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The title, the clock or the bar's visibility changed: repaint the strip.
void taskBarChanged();

}  // namespace wince::detail
