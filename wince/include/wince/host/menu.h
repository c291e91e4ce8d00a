// For the runtime's own code and tests: menus from template bytes, and the
// popup menus open now.
#pragma once

#include <cstddef>
#include <vector>

#include "wince/menu.h"

namespace wince {

// A menu built from an RT_MENU template; null when the data is damaged (a
// level not ended, text not terminated, too deep).
HMENU menuFromTemplate(const BYTE* data, size_t size);

// The popup menus open now, outermost first (for dumps).
struct OpenMenu {
  HMENU menu;
  HWND window;
  int selected;  // -1: none
};
std::vector<OpenMenu> openMenus();

}  // namespace wince
