// Menu objects in their handle table, for the popup code.
#pragma once

#include <string>
#include <vector>

#include "wince/menu.h"
#include "wince/host/menu.h"

namespace wince::menus {

struct Item {
  UINT flags = 0;  // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP, MF_RADIOCHECK
  UINT id = 0;
  std::u16string text;
  HMENU sub{};
  ULONG_PTR data = 0;
};

struct Menu {
  std::vector<Item> items;
  const BYTE* source = nullptr;  // the template it was loaded from
  DWORD sourceSize = 0;
};

// An item's rectangle on the screen in an open popup level; empty when the
// level or item is not there.
RECT itemRectOnScreen(const wince::OpenMenu& level, int index);

// Null for a handle that is no (longer a) menu.
Menu* find(HMENU menu);
bool selectable(const Item& item);

}  // namespace wince::menus
