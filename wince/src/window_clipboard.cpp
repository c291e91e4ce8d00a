// The clipboard, within the process: one block of data per format, owned by
// the clipboard once handed over (freed with LocalFree when replaced or
// emptied).
#include <map>

#include "wince/system.h"
#include "window_internal.h"

namespace wince::win {

namespace {

struct Clipboard {
  bool open = false;
  HWND openedBy{};
  std::map<UINT, HANDLE> data;
};

Clipboard& clipboard() {
  static Clipboard c;
  return c;
}

void freeAll(Clipboard& c) {
  for (auto& [format, handle] : c.data) LocalFree(handle);
  c.data.clear();
}

}  // namespace

void resetClipboard() {
  Clipboard& c = clipboard();
  freeAll(c);
  c.open = false;
  c.openedBy = nullptr;
}

}  // namespace wince::win

using namespace wince::win;

BOOL OpenClipboard(HWND owner) {
  Clipboard& c = clipboard();
  if (c.open) return FALSE;
  c.open = true;
  c.openedBy = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  Clipboard& c = clipboard();
  if (!c.open) return FALSE;
  c.open = false;
  c.openedBy = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  Clipboard& c = clipboard();
  if (!c.open) return FALSE;
  freeAll(c);
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  Clipboard& c = clipboard();
  if (!c.open || data == nullptr) return nullptr;
  HANDLE& slot = c.data[format];
  if (slot != nullptr && slot != data) LocalFree(slot);
  slot = data;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  Clipboard& c = clipboard();
  if (!c.open) return nullptr;
  auto it = c.data.find(format);
  return it != c.data.end() ? it->second : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) { return clipboard().data.count(format) != 0 ? TRUE : FALSE; }
