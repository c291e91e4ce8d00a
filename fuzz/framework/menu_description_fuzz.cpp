// Menu descriptions: any bytes decode to a menu of one of the three kinds or
// to an error status, never reading outside the resource.
#include <cstddef>
#include <cstdint>

#include "base/byte_order.h"
#include "qzf_menu_description.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QZFMenuDescription menu;
  if (QZFReadMenuDescription(data, size, &menu) != QZ_OK) return 0;
  // A bar or popup holds exactly the items its header counts, all inside the resource.
  const bool list = menu.kind == kQZFMenuKindBar || menu.kind == kQZFMenuKindPopup;
  if (menu.kind > kQZFMenuKindPopup) __builtin_trap();
  if (list && (menu.list.items.size() != base::loadBE16(data + 41) ||
               kQZFMenuHeaderSize + menu.list.items.size() * kQZFMenuItemSize > size)) {
    __builtin_trap();
  }
  if (!list && (size < kQZFQuickMenuSize || !menu.list.items.empty())) __builtin_trap();
  return 0;
}
