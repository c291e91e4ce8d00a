// Window state: visibility, enabling, activation, focus and capture.
#include <algorithm>

#include "shell_taskbar.h"
#include "window_internal.h"

#include "wince/host/window.h"

namespace wince::win {

namespace {

bool canActivate(const Window* w, HWND leaving) {
  return w != nullptr && !w->destroying && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) &&
         !(w->exStyle & WS_EX_NOACTIVATE) && !isAncestor(leaving, w->handle);
}

void clearSubtreeUpdates(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr) return;
  clearUpdate(w);
  for (HWND c : w->children) clearSubtreeUpdates(c);
}

}  // namespace

// Activation moves from `old` to `hwnd` (null: nothing is active).
HWND activate(HWND hwnd, WORD how) {
  Gui& g = gui();
  const HWND old = g.active;
  if (old == hwnd) return old;
  g.active = hwnd;
  wince::detail::taskBarChanged();  // it shows the active window's title
  if (hwnd != nullptr) {
    g.lastActive = hwnd;
    raiseToTop(hwnd);
  }
  if (IsWindow(old)) callWindow(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
  if (hwnd != nullptr && g.active == hwnd) {
    callWindow(hwnd, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(IsWindow(old) ? old : nullptr));
  }
  // A window that took activation without taking focus still ends the focus
  // of the window that lost it.
  if (g.focus != nullptr && g.active != nullptr && !isAncestor(g.active, g.focus)) SetFocus(nullptr);
  if (g.active == nullptr && g.focus != nullptr) SetFocus(nullptr);
  return IsWindow(old) ? old : nullptr;
}

void activateAfterLoss(HWND leaving) {
  Window* w = find(leaving);
  Window* owner = w != nullptr ? find(w->owner) : nullptr;
  if (canActivate(owner, leaving)) {
    activate(owner->handle, WA_ACTIVE);
    return;
  }
  for (HWND top : desktopWindow()->children) {
    if (canActivate(find(top), leaving)) {
      activate(top, WA_ACTIVE);
      return;
    }
  }
  activate(nullptr, WA_INACTIVE);
}

void forgetWindow(HWND hwnd) {
  Gui& g = gui();
  if (g.active == hwnd) g.active = nullptr;
  if (g.lastActive == hwnd) g.lastActive = nullptr;
  if (g.focus == hwnd) g.focus = nullptr;
  if (g.capture == hwnd) g.capture = nullptr;
}

}  // namespace wince::win

using namespace wince::win;

BOOL ShowWindow(HWND hwnd, int cmd) {
  Window* w = find(hwnd);
  if (w == nullptr || isDesktop(hwnd)) return FALSE;
  const bool wasVisible = (w->style & WS_VISIBLE) != 0;
  const bool show = cmd != SW_HIDE && cmd != SW_MINIMIZE;
  if (show != wasVisible) {
    callWindow(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    if ((w = find(hwnd)) == nullptr) return wasVisible;
    if (show) {
      w->style |= WS_VISIBLE;
      markPaintOrderStale();
      if (visibleOnScreen(w)) InvalidateRect(hwnd, nullptr, TRUE);
    } else {
      const bool wasOnScreen = visibleOnScreen(w);
      const RECT area = windowRectScreen(w);
      w->style &= ~WS_VISIBLE;
      markPaintOrderStale();
      clearSubtreeUpdates(hwnd);
      if (wasOnScreen) invalidateScreenArea(area, hwnd);
      if (isAncestor(hwnd, gui().active)) activateAfterLoss(hwnd);
      if (isAncestor(hwnd, gui().focus)) SetFocus(nullptr);
    }
  }
  const bool activates = cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE;
  if (show && activates && (w = find(hwnd)) != nullptr && isTopLevel(w) && !(w->exStyle & WS_EX_NOACTIVATE)) {
    activate(hwnd, WA_ACTIVE);
  }
  return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* w = find(hwnd);
  return w != nullptr && visibleOnScreen(w) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = find(hwnd);
  if (w == nullptr) return FALSE;
  const bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if ((enable != FALSE) != wasDisabled) return wasDisabled ? TRUE : FALSE;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    callWindow(hwnd, WM_CANCELMODE, 0, 0);
    if (isAncestor(hwnd, gui().focus)) SetFocus(nullptr);
  }
  callWindow(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = find(hwnd);
  return w != nullptr && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

HWND SetActiveWindow(HWND hwnd) {
  if (hwnd != nullptr) {
    hwnd = topLevelOf(hwnd);
    if (hwnd == nullptr) return nullptr;
  }
  return activate(hwnd, WA_ACTIVE);
}

HWND GetActiveWindow() { return gui().active; }

BOOL SetForegroundWindow(HWND hwnd) {
  hwnd = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(hwnd) & ~uintptr_t{0xF});
  if (isRemoteInstance(hwnd)) return raiseRemoteInstance(hwnd) ? TRUE : FALSE;
  if (isDesktop(hwnd)) {
    wince::injectAppActive(false);  // the device's desktop comes forward
    return TRUE;
  }
  const HWND top = topLevelOf(hwnd);
  if (top == nullptr) return FALSE;
  if (!gui().appActive) wince::injectAppActive(true);
  activate(top, WA_ACTIVE);
  return TRUE;
}

HWND GetForegroundWindow() { return gui().appActive ? gui().active : nullptr; }

HWND SetFocus(HWND hwnd) {
  Gui& g = gui();
  if (hwnd != nullptr && (find(hwnd) == nullptr || isDesktop(hwnd))) return nullptr;
  const HWND old = g.focus;
  if (hwnd == old) return old;
  if (hwnd != nullptr) {
    const HWND top = topLevelOf(hwnd);
    if (top != g.active) activate(top, WA_ACTIVE);
    if (!IsWindow(hwnd)) return nullptr;
  }
  const HWND previous = g.focus;
  g.focus = hwnd;
  if (IsWindow(previous) && previous != hwnd) callWindow(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd != nullptr && g.focus == hwnd) {
    callWindow(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(IsWindow(previous) ? previous : nullptr), 0);
  }
  return IsWindow(old) ? old : nullptr;
}

HWND GetFocus() { return gui().focus; }

HWND SetCapture(HWND hwnd) {
  Gui& g = gui();
  if (find(hwnd) == nullptr) return nullptr;
  const HWND old = g.capture;
  g.capture = hwnd;
  if (IsWindow(old) && old != hwnd) callWindow(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  Gui& g = gui();
  const HWND old = g.capture;
  g.capture = nullptr;
  if (IsWindow(old)) callWindow(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() { return gui().capture; }

BOOL DrawMenuBar(HWND hwnd) { return IsWindow(hwnd); }
