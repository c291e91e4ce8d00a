// Feeds the bytes as dialog resource 1 and creates the dialog from it.
#include <cstddef>
#include <cstdint>

#include "wince/host/resource.h"
#include "wince/host/window.h"
#include "wince/resource.h"
#include "wince/window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wince::ResourceEntry entry{nullptr, 5, nullptr, 1, data, static_cast<DWORD>(size)};
  wince::ResourceTable table{&entry, 1};
  wince::registerResourceTable(&table);
  if (HWND dlg = CreateDialogParam(nullptr, MAKEINTRESOURCE(1), nullptr, nullptr, 0)) DestroyWindow(dlg);
  wince::unregisterResourceTable(&table);
  wince::resetWindowing();
  return 0;
}
