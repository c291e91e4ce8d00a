// What scripts and dumps see of the user interface: the open dialogs with
// their controls, the open popup menus, and where to tap to reach a control
// or a menu item.
#pragma once

#include <string>

#include "wince/types.h"

namespace wince::detail {

// The centre of the visible control with this id, in the topmost window
// that has one, else of the active window's menu-bar button with that
// command; false when there is none.
bool controlCentre(int id, POINT* out);
// The centre of the item with this text in the innermost open popup that
// has it; false when no open popup has such an item.
bool menuItemCentre(const std::u16string& text, POINT* out);

// Text in double quotes, UTF-8, with \n, \" and \\ escaped.
std::string quoted(const std::u16string& text);

// One "dialog:" line per visible dialog, each followed by "  control:" lines
// (id, class, text, state, value); one "menu:" line per open popup level.
std::string dialogsDump();
std::string menusDump();

}  // namespace wince::detail
