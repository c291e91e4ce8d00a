// Feeds the bytes as bitmap resource 1 and loads it.
#include <cstddef>
#include <cstdint>

#include "wince/gdi.h"
#include "wince/host/resource.h"
#include "wince/resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wince::ResourceEntry entry{nullptr, 2, nullptr, 1, data, static_cast<DWORD>(size)};
  wince::ResourceTable table{&entry, 1};
  wince::registerResourceTable(&table);
  if (HBITMAP bm = LoadBitmap(nullptr, MAKEINTRESOURCE(1))) DeleteObject(bm);
  wince::unregisterResourceTable(&table);
  return 0;
}
