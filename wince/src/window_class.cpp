// Window classes: the program's own and the system's.
#include "wince/gdi.h"
#include "wince/text.h"
#include "ctl_common.h"
#include "shell_taskbar.h"
#include "window_internal.h"

namespace wince::win {

namespace {

WindowClass* addClass(const WNDCLASSW& wc, bool system) {
  Gui& g = gui();
  auto c = std::make_unique<WindowClass>();
  c->name = wc.lpszClassName;
  c->wc = wc;
  c->wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  c->wc.lpszClassName = c->name.c_str();
  c->system = system;
  c->atom = g.nextAtom++;
  g.classes.push_back(std::move(c));
  return g.classes.back().get();
}

}  // namespace

WindowClass* findClass(LPCWSTR name) {
  if (name == nullptr) return nullptr;
  if (IS_INTRESOURCE(name)) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
    for (auto& c : gui().classes) {
      if (c->atom == atom) return c.get();
    }
    return nullptr;
  }
  // The program's classes (registered later) come before the system's.
  auto& classes = gui().classes;
  for (auto it = classes.rbegin(); it != classes.rend(); ++it) {
    if (_wcsicmp((*it)->name.c_str(), name) == 0) return it->get();
  }
  return nullptr;
}

// The desktop and the standard controls; GetClassInfo finds the controls as
// the programs expect.
void registerSystemClasses() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = detail::desktopProc;
  wc.lpszClassName = u"#desktop";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  addClass(wc, true);
  wc.hbrBackground = nullptr;
  wc.style = CS_DBLCLKS;
  for (const ctl::ControlClass& c : ctl::controlClasses()) {
    wc.lpszClassName = c.name;
    wc.lpfnWndProc = c.proc;
    addClass(wc, true);
  }
}

}  // namespace wince::win

using namespace wince::win;

ATOM RegisterClass(const WNDCLASSW* wc) {
  if (wc == nullptr || wc->lpszClassName == nullptr || IS_INTRESOURCE(wc->lpszClassName)) return 0;
  WindowClass* existing = findClass(wc->lpszClassName);
  if (existing != nullptr && !existing->system) return 0;
  return addClass(*wc, false)->atom;
}

BOOL UnregisterClass(LPCWSTR className, HINSTANCE) {
  WindowClass* c = findClass(className);
  if (c == nullptr || c->system || c->liveWindows > 0) return FALSE;
  std::erase_if(gui().classes, [c](const auto& p) { return p.get() == c; });
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCWSTR className, WNDCLASSW* out) {
  WindowClass* c = findClass(className);
  if (c == nullptr || out == nullptr || c->name.front() == u'#') return FALSE;
  *out = c->wc;
  return TRUE;
}

int GetClassName(HWND hwnd, LPWSTR buf, int n) {
  Window* w = find(hwnd);
  if (w == nullptr || buf == nullptr || n <= 0) return 0;
  const int len = std::min(static_cast<int>(w->cls->name.size()), n - 1);
  std::copy_n(w->cls->name.c_str(), len, buf);
  buf[len] = 0;
  return len;
}
