// The soft-key bars the shell made, for the rest of the shell.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wince/resource.h"

namespace wince::detail {

// Reads a soft-key-bar resource: its buttons, all of them. False (and no
// buttons) when the data is shorter than its header says.
bool readSoftKeyBar(const BYTE* data, size_t size, std::vector<SoftKeyBarButton>* out);
// The top edge of the visible bars that sit on the bottom edge of the screen;
// the screen height when there is none.
int softKeyBarTop();
// The labels of the active window's bar as "left | right" (an icon bar's
// buttons in their order); empty without one.
std::u16string activeSoftKeyLabels();
// The screen centre of the active window's bar button that sends `command`;
// false when its bar has none.
bool menuBarButtonCentre(UINT command, POINT* out);
// Forgets every bar (they die with the windows).
void forgetSoftKeyBars();

}  // namespace wince::detail
