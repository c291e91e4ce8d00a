#include <cstddef>
#include <cstdint>
#include <vector>

#include "shell_menubar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<SoftKeyBarButton> buttons;
  bool ok = wince::detail::readSoftKeyBar(data, size, &buttons);
  // Every button read lies within the data.
  if (!ok && !buttons.empty()) __builtin_trap();
  if (ok && sizeof(SoftKeyBarHeader) + buttons.size() * sizeof(SoftKeyBarButton) > size) __builtin_trap();
  return 0;
}
