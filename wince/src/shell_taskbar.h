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
// The "ok" button at the bar's right end, shown while a window that asked
// for it (SHIDIF_DONEBUTTON, SHDoneButton) is active; a tap on it sends that
// window IDOK.
void setDoneButton(HWND hwnd, bool shown);
void forgetDoneButtons();
// A stylus event that hit no window: true when the task bar took it.
bool taskBarStylus(UINT msg, POINT pt);

}  // namespace wince::detail
