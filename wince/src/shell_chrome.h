// What a Smartphone shows around the program: the title bar along the top
// while the task bar is shown, and the look of its soft-key bars.
#pragma once

#include <string>

#include "wince/gdi.h"

namespace wince::detail {

struct SoftKeyLabel {
  std::u16string text;
  bool enabled = true;
};

// Whether the device draws its own chrome (the Smartphone profile).
bool smartphoneChrome();
// A soft-key bar: a dark band with the two labels centred in their halves,
// a disabled label dimmed.
void paintSoftKeyBar(HDC hdc, const RECT& rect, const SoftKeyLabel& left, const SoftKeyLabel& right);
// Draws the title bar (the foreground window's title) over the top of the
// screen while the task bar is shown, before the screen is shown or saved;
// when it goes, the windows under it are painted again.
void refreshShellChrome();
// Forgets what was drawn (the windowing is reset).
void forgetShellChrome();

}  // namespace wince::detail
