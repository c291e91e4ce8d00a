// The window tree: parents, owners, siblings, enumeration and hit testing.
#include <algorithm>
#include <unistd.h>

#include "wince/text.h"
#include "wince/thread.h"
#include "window_internal.h"

namespace wince::win {

namespace {

bool hitsWindow(const Window* w, POINT screenPt) {
  const RECT r = windowRectScreen(w);
  if (!contains(r, screenPt)) return false;
  if (w->region == nullptr) return true;
  return contains(w->regionBox, POINT{screenPt.x - r.left, screenPt.y - r.top});
}

// The topmost visible, enabled descendant of w under the point, or w;
// windows that let the stylus through (group boxes) are passed over.
HWND deepestAt(const Window* w, POINT screenPt) {
  for (HWND c : w->children) {
    const Window* child = find(c);
    if (child == nullptr || !(child->style & WS_VISIBLE) || (child->style & WS_DISABLED) || child->stylusTransparent) {
      continue;
    }
    if (hitsWindow(child, screenPt)) return deepestAt(child, screenPt);
  }
  return w->handle;
}

}  // namespace

HWND hitTest(POINT screenPt) {
  for (HWND top : desktopWindow()->children) {
    const Window* t = find(top);
    if (t != nullptr && (t->style & WS_VISIBLE) && hitsWindow(t, screenPt)) return deepestAt(t, screenPt);
  }
  return nullptr;
}

}  // namespace wince::win

using namespace wince::win;

HWND GetParent(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || isDesktop(hwnd)) return nullptr;
  if (w->style & WS_CHILD) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  Window* w = find(child);
  if (w == nullptr || isDesktop(child)) return nullptr;
  Window* p = newParent != nullptr ? find(newParent) : desktopWindow();
  if (p == nullptr || isAncestor(child, p->handle)) return nullptr;
  const HWND old = w->parent;
  const bool wasVisible = visibleOnScreen(w);
  const RECT area = windowRectScreen(w);
  if (Window* op = find(old)) std::erase(op->children, child);
  w->parent = p->handle;
  p->children.insert(p->children.begin(), child);
  if (isDesktop(p->handle)) {
    w->style &= ~WS_CHILD;
  } else {
    w->style |= WS_CHILD;
  }
  markPaintOrderStale();
  if (wasVisible) invalidateScreenArea(area, child);
  if (visibleOnScreen(w)) InvalidateRect(child, nullptr, TRUE);
  return isDesktop(old) ? GetDesktopWindow() : old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  Window* w = find(hwnd);
  if (w == nullptr) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (cmd == GW_OWNER) return isTopLevel(w) ? w->owner : nullptr;
  Window* p = find(w->parent);
  if (p == nullptr) return nullptr;
  const auto& list = p->children;
  const auto it = std::find(list.begin(), list.end(), hwnd);
  if (it == list.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return it + 1 != list.end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it != list.begin() ? *(it - 1) : nullptr;
    default: return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND hwnd) {
  if (parent == hwnd || find(parent) == nullptr) return FALSE;
  for (Window* w = find(hwnd); w != nullptr && (w->style & WS_CHILD); w = find(w->parent)) {
    if (w->parent == parent) return TRUE;
  }
  return FALSE;
}

HWND GetDesktopWindow() { return gui().desktop; }

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (proc == nullptr) return FALSE;
  const std::vector<HWND> tops = desktopWindow()->children;
  for (HWND top : tops) {
    if (IsWindow(top) && !proc(top, lParam)) return FALSE;
  }
  return TRUE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
  if (find(hwnd) == nullptr) return 0;
  if (processId != nullptr) *processId = static_cast<DWORD>(getpid());
  return guiThreadId();
}

HWND FindWindow(LPCWSTR className, LPCWSTR title) {
  WindowClass* cls = className != nullptr ? findClass(className) : nullptr;
  for (HWND top : desktopWindow()->children) {
    Window* w = find(top);
    if (w == nullptr || w->destroying) continue;
    if (className != nullptr && w->cls != cls) continue;
    if (title != nullptr && _wcsicmp(w->text.c_str(), title) != 0) continue;
    return top;
  }
  return className != nullptr ? findRemoteInstance(className) : nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) {
  Window* p = find(parent);
  if (p == nullptr) return nullptr;
  const RECT client = clientRectLocal(p);
  if (!contains(RECT{0, 0, client.right - client.left, client.bottom - client.top}, pt)) return nullptr;
  for (HWND c : p->children) {
    Window* child = find(c);
    if (child != nullptr && contains(child->rect, pt)) return c;
  }
  return parent;
}

HWND WindowFromPoint(POINT pt) { return hitTest(pt); }
