// The input method's side of each window: its input context and the result
// string of its last composition.
#include <algorithm>
#include <cstring>
#include <vector>

#include "wince/host/shell.h"
#include "wince/shell.h"
#include "window_internal.h"

namespace {

struct Context {
  HWND window;
  HIMC handle;
  std::u16string result;
};

struct Contexts {
  std::vector<Context> list;
  uintptr_t next = 0x7F0;
};

Contexts& contexts() {
  static Contexts c;
  return c;
}

// The window's context, made on first use; contexts of dead windows go
// (window handles are never reused).
Context* contextOf(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  Contexts& c = contexts();
  std::erase_if(c.list, [](const Context& x) { return !IsWindow(x.window); });
  auto it = std::find_if(c.list.begin(), c.list.end(), [&](const Context& x) { return x.window == hwnd; });
  if (it != c.list.end()) return &*it;
  c.list.push_back({hwnd, reinterpret_cast<HIMC>(c.next), {}});
  c.next += 0x10;
  return &c.list.back();
}

Context* findContext(HIMC handle) {
  Contexts& c = contexts();
  auto it = std::find_if(c.list.begin(), c.list.end(), [&](const Context& x) { return x.handle == handle; });
  return it != c.list.end() && IsWindow(it->window) ? &*it : nullptr;
}

}  // namespace

HIMC ImmGetContext(HWND hwnd) {
  Context* c = contextOf(hwnd);
  return c ? c->handle : nullptr;
}

BOOL ImmReleaseContext(HWND hwnd, HIMC context) {
  const Context* c = findContext(context);
  return c != nullptr && c->window == hwnd;
}

LONG ImmGetCompositionString(HIMC context, DWORD index, LPVOID buffer, DWORD bufferBytes) {
  const Context* c = findContext(context);
  if (c == nullptr) return IMM_ERROR_GENERAL;
  if (index != GCS_RESULTSTR) return IMM_ERROR_NODATA;
  const auto bytes = static_cast<DWORD>(c->result.size() * sizeof(char16_t));
  if (bufferBytes == 0) return static_cast<LONG>(bytes);
  if (buffer == nullptr || bufferBytes < bytes) return IMM_ERROR_GENERAL;
  std::memcpy(buffer, c->result.data(), bytes);
  return static_cast<LONG>(bytes);
}

void wince::injectComposition(const std::u16string& text) {
  const HWND target = win::keyTarget();
  Context* c = text.empty() ? nullptr : contextOf(target);
  if (c == nullptr) return;
  c->result = text;
  PostMessage(target, WM_IME_COMPOSITION, text.back(), GCS_RESULTSTR);
}
