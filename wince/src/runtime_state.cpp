// The state dump: the runtime's own facts, then the program's.
#include <cstdio>

#include "shell_menubar.h"
#include "ui_state.h"
#include "wince/clock.h"
#include "wince/host/runtime.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/text.h"
#include "wince/runtime.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/text.h"
#include "wince/window.h"

namespace wince {

namespace {

StateDumpHook& hook() {
  static StateDumpHook h = nullptr;
  return h;
}

// Instance handle of the program (the device's usual image base).
constexpr uintptr_t kInstance = 0x10000;

std::string windowText(HWND hwnd) {
  WCHAR cls[64] = {};
  WCHAR title[128] = {};
  GetClassName(hwnd, cls, 64);
  GetWindowText(hwnd, title, 128);
  return detail::quoted(cls) + " " + detail::quoted(title);
}

}  // namespace

HINSTANCE programInstance() { return reinterpret_cast<HINSTANCE>(kInstance); }

void setStateDumpHook(StateDumpHook h) { hook() = h; }

std::string stateDump() {
  std::string out;
  char line[96];
  out += "profile: " + std::string(deviceProfile().name) + "\n";
  std::snprintf(line, sizeof line, "clock-ms: %llu\n", static_cast<unsigned long long>(clockNowMs()));
  out += line;
  HWND active = GetActiveWindow();
  out += "active-window: " + (active ? windowText(active) : std::string("none")) + "\n";
  const ShellState& s = shellState();
  out += "soft-keys: " + detail::quoted(detail::activeSoftKeyLabels()) + "\n";
  out += std::string("task-bar: ") + (s.taskBarHidden ? "hidden" : "shown") + "\n";
  for (const MessageBoxRecord& r : messageBoxLog()) {
    std::snprintf(line, sizeof line, " type=0x%X answer=%d\n", r.type, r.answer);
    out += "message-box: " + detail::quoted(r.caption) + " " + detail::quoted(r.text) + line;
  }
  out += detail::dialogsDump();
  out += detail::menusDump();
  out += "[program]\n";
  if (hook()) hook()(out);
  return out;
}

}  // namespace wince

HMODULE GetModuleHandle(LPCWSTR moduleName) {
  return moduleName == nullptr ? wince::programInstance() : nullptr;
}
