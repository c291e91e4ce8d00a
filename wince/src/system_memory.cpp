// The local heap, system message texts and structured exceptions.
#include <cstdlib>
#include <cstring>

#include "wince/system.h"

HLOCAL LocalAlloc(UINT flags, size_t bytes) {
  void* block = (flags & LMEM_ZEROINIT) ? std::calloc(1, bytes ? bytes : 1) : std::malloc(bytes ? bytes : 1);
  if (!block) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL LocalReAlloc(HLOCAL memory, size_t bytes, UINT flags) {
  void* block = std::realloc(memory, bytes ? bytes : 1);
  if (!block) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return block;
}

HLOCAL LocalFree(HLOCAL memory) {
  std::free(memory);
  return nullptr;
}

DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                    va_list* arguments) {
  if ((flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) && buffer) *reinterpret_cast<LPWSTR*>(buffer) = nullptr;
  SetLastError(ERROR_MR_MID_NOT_FOUND);
  return 0;
}

void RaiseException(DWORD code, DWORD flags, DWORD argumentCount, const ULONG_PTR* arguments) {
  StructuredException raised{code, flags, 0, {}};
  if (arguments) {
    raised.argumentCount = argumentCount < EXCEPTION_MAXIMUM_PARAMETERS ? argumentCount : EXCEPTION_MAXIMUM_PARAMETERS;
    for (DWORD i = 0; i < raised.argumentCount; ++i) raised.arguments[i] = arguments[i];
  }
  throw raised;
}
