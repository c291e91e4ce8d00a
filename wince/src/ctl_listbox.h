// The list box's side of the combo box: the combo keeps its items in a list
// box that pops up below it, and hears the list's choices.
#pragma once

#include "wince/types.h"

namespace wince::ctl {

// Makes `list` report to `combo` and act as a drop-down: a hover follows the
// stylus, lifting it on an item chooses it, a tap outside the list closes it.
void attachListToCombo(HWND list, HWND combo);

// What the drop-down list tells its combo box (combo.cpp).
void comboListChose(HWND combo, bool accepted);

}  // namespace wince::ctl
