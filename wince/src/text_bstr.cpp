// Automation strings: a 32-bit byte count, the units, a NUL.
#include <cstdlib>
#include <cstring>

#include "wince/text.h"

namespace {

BSTR allocate(const OLECHAR* text, UINT length) {
  const size_t bytes = static_cast<size_t>(length) * sizeof(OLECHAR);
  if (bytes > 0xFFFFFFF0u) return nullptr;
  auto* block = static_cast<BYTE*>(std::malloc(sizeof(DWORD) + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  const DWORD count = static_cast<DWORD>(bytes);
  std::memcpy(block, &count, sizeof count);
  auto* units = reinterpret_cast<OLECHAR*>(block + sizeof(DWORD));
  if (text)
    std::memcpy(units, text, bytes);
  else
    std::memset(units, 0, bytes);
  units[length] = 0;
  return units;
}

BYTE* blockOf(BSTR string) { return reinterpret_cast<BYTE*>(string) - sizeof(DWORD); }

}  // namespace

BSTR SysAllocString(const OLECHAR* text) { return text ? allocate(text, static_cast<UINT>(wcslen(text))) : nullptr; }

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) { return allocate(text, length); }

INT SysReAllocStringLen(BSTR* string, const OLECHAR* text, UINT length) {
  if (!string) return FALSE;
  BSTR fresh = allocate(text, length);
  if (!fresh) return FALSE;
  SysFreeString(*string);
  *string = fresh;
  return TRUE;
}

INT SysReAllocString(BSTR* string, const OLECHAR* text) {
  return SysReAllocStringLen(string, text, text ? static_cast<UINT>(wcslen(text)) : 0);
}

void SysFreeString(BSTR string) {
  if (string) std::free(blockOf(string));
}

UINT SysStringByteLen(BSTR string) {
  if (!string) return 0;
  DWORD count;
  std::memcpy(&count, blockOf(string), sizeof count);
  return count;
}

UINT SysStringLen(BSTR string) { return SysStringByteLen(string) / sizeof(OLECHAR); }
