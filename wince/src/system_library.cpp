// The system's libraries that programs load at run time: each is a name, a
// handle of its own and a table of exports, by ordinal and by name.
#include <algorithm>
#include <mutex>
#include <string_view>

#include "wince/htmlview.h"
#include "wince/system.h"
#include "wince/text.h"

namespace wince {

namespace {

struct Export {
  WORD ordinal;
  const char16_t* name;
  FARPROC proc;
};

struct Library {
  const char16_t* fileName;  // compared without regard to case, folder left out
  const Export* exports;
  size_t exportCount;
  int loads = 0;
};

const Export kHtmlViewExports[] = {
    {1, u"InitHTMLControl", reinterpret_cast<FARPROC>(&InitHTMLControl)},
};

Library kLibraries[] = {
    {u"htmlview.dll", kHtmlViewExports, std::size(kHtmlViewExports)},
};

std::mutex& libraryLock() {
  static std::mutex m;
  return m;
}

// Handles are small odd-looking constants no other handle table hands out.
HMODULE handleOf(size_t index) {
  return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x7E000000u + 16 * (index + 1)));
}

Library* libraryOf(HMODULE module) {
  for (size_t i = 0; i < std::size(kLibraries); ++i) {
    if (handleOf(i) == module) return &kLibraries[i];
  }
  return nullptr;
}

}  // namespace

}  // namespace wince

using namespace wince;

HMODULE LoadLibrary(LPCWSTR fileName) {
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::u16string_view name(fileName);
  const size_t slash = name.find_last_of(u"\\/");
  if (slash != std::u16string_view::npos) name.remove_prefix(slash + 1);
  const std::u16string file(name);
  std::lock_guard<std::mutex> lock(libraryLock());
  for (size_t i = 0; i < std::size(kLibraries); ++i) {
    if (_wcsicmp(file.c_str(), kLibraries[i].fileName) == 0) {
      ++kLibraries[i].loads;
      return handleOf(i);
    }
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

FARPROC GetProcAddress(HMODULE module, LPCWSTR procName) {
  std::lock_guard<std::mutex> lock(libraryLock());
  const Library* lib = libraryOf(module);
  if (lib != nullptr && lib->loads > 0 && procName != nullptr) {
    for (size_t i = 0; i < lib->exportCount; ++i) {
      const Export& e = lib->exports[i];
      const bool byOrdinal = IS_INTRESOURCE(procName);
      if (byOrdinal ? reinterpret_cast<uintptr_t>(procName) == e.ordinal : wcscmp(procName, e.name) == 0) return e.proc;
    }
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE module) {
  std::lock_guard<std::mutex> lock(libraryLock());
  Library* lib = libraryOf(module);
  if (lib == nullptr || lib->loads == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  --lib->loads;
  return TRUE;
}
