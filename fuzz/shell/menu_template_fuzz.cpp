// Builds a menu from the bytes, walks every item of it, and destroys it.
#include <cstddef>
#include <cstdint>

#include "wince/menu.h"
#include "wince/host/menu.h"

namespace {

void walk(HMENU menu, int depth) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    WCHAR text[32];
    MENUITEMINFO info{sizeof info, MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU, 0, 0, 0, nullptr, nullptr,
                      nullptr, 0, text, 32};
    GetMenuItemInfo(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.hSubMenu != nullptr && depth < 32) walk(info.hSubMenu, depth + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (HMENU menu = wince::menuFromTemplate(data, size)) {
    walk(menu, 0);
    DestroyMenu(menu);
  }
  return 0;
}
