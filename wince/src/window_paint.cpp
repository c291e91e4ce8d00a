// Invalidation and painting. Windows draw straight into the device screen;
// the screen stays right because painting runs in paint order (bottom to
// top, each window before its children) and every invalid area also makes
// the windows painted after it, where they overlap it, invalid.
#include <algorithm>

#include "device_screen.h"
#include "wince/gdi.h"
#include "window_internal.h"

namespace wince::win {

namespace {

void buildOrder(HWND hwnd, std::vector<HWND>& out) {
  Window* w = find(hwnd);
  if (w == nullptr || !(w->style & WS_VISIBLE)) return;
  w->paintIndex = out.size();
  out.push_back(hwnd);
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) buildOrder(*it, out);
}

void markUpdate(Window* w, const RECT& r, bool erase) {
  if (rectEmpty(r)) return;
  if (!w->dirty) {
    w->dirty = true;
    gui().dirtyCount++;
    w->update = r;
  } else {
    w->update = unite(w->update, r);
  }
  w->erase = w->erase || erase;
}

// Marks the part of a screen area that falls in w's client area; false when
// none does.
bool markScreenArea(Window* w, const RECT& area) {
  if (!w->redraw) return false;
  const RECT client = clientRectScreen(w);
  const RECT hit = intersect(client, area);
  if (rectEmpty(hit)) return false;
  markUpdate(w, offset(hit, -client.left, -client.top), true);
  return true;
}

RECT updateOnScreen(const Window* w) {
  const RECT client = clientRectScreen(w);
  return offset(w->update, client.left, client.top);
}

// Marks a screen area in the windows painted from position `from` of the
// paint order on (leaving out `skip` and its descendants). An update area is
// one rectangle, so marking can grow a window's to the box around its old
// one: the windows painted after it are marked over that box too, or its
// painting would cover them where they were not invalid.
void markFrom(size_t from, RECT area, HWND skip) {
  const auto& order = currentPaintOrder();
  for (size_t i = from; i < order.size(); ++i) {
    if (skip != nullptr && isAncestor(skip, order[i])) continue;
    Window* w = find(order[i]);
    if (markScreenArea(w, area)) area = unite(area, updateOnScreen(w));
  }
}

RECT clientSize(const Window* w) {
  const RECT c = clientRectLocal(w);
  return RECT{0, 0, c.right - c.left, c.bottom - c.top};
}

// The part of w's client area its ancestors leave visible, in client
// coordinates, less any window region.
RECT visibleClientPart(const Window* w) {
  RECT vis = clientRectScreen(w);
  const POINT origin{vis.left, vis.top};
  for (const Window* a = find(w->parent); a != nullptr && !isDesktop(a->handle); a = find(a->parent)) {
    vis = intersect(vis, clientRectScreen(a));
  }
  vis = intersect(vis, screenRect());
  vis = offset(vis, -origin.x, -origin.y);
  if (w->region != nullptr) {
    const RECT c = clientRectLocal(w);
    vis = intersect(vis, offset(w->regionBox, -c.left, -c.top));
  }
  return vis;
}

HDC clientDC(const Window* w, const RECT& clip) {
  HDC hdc = detail::createWindowDC(w->handle, false);
  if (hdc != nullptr) IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
  return hdc;
}

// Top-level windows above the window's own (its soft-key bar, a message box,
// an open menu) are cut out of a DC taken outside painting, as the device's
// visible region cuts them out: drawing at any time never paints over them.
void excludeWindowsAbove(HDC hdc, const Window* w) {
  const auto& order = currentPaintOrder();
  const Window* top = find(topLevelOf(w->handle));
  if (top == nullptr) return;
  const RECT client = clientRectScreen(w);
  for (size_t i = top->paintIndex + 1; i < order.size(); ++i) {
    const Window* above = find(order[i]);
    if (above == nullptr || !isTopLevel(above)) continue;
    const RECT r = offset(windowRectScreen(above), -client.left, -client.top);
    if (!rectEmpty(r)) ExcludeClipRect(hdc, r.left, r.top, r.right, r.bottom);
  }
}

}  // namespace

void markPaintOrderStale() { gui().paintOrderStale = true; }

const std::vector<HWND>& currentPaintOrder() {
  Gui& g = gui();
  if (g.paintOrderStale) {
    g.paintOrder.clear();  // keeps its capacity
    buildOrder(g.desktop, g.paintOrder);
    g.paintOrderStale = false;
  }
  return g.paintOrder;
}

void invalidateClient(Window* w, const RECT* rect, bool erase) {
  const RECT client = clientSize(w);
  const RECT r = rect != nullptr ? intersect(*rect, client) : client;
  if (rectEmpty(r) || !visibleOnScreen(w) || !w->redraw) return;  // WM_SETREDRAW FALSE: nothing to redraw
  markUpdate(w, r, erase);
  currentPaintOrder();  // brings paintIndex up to date
  markFrom(w->paintIndex + 1, updateOnScreen(w), nullptr);
}

void invalidateScreenArea(const RECT& area, HWND skip) { markFrom(0, area, skip); }

void clearUpdate(Window* w) {
  if (!w->dirty) return;
  w->dirty = false;
  w->erase = false;
  w->update = RECT{};
  gui().dirtyCount--;
}

HWND nextWindowToPaint(HWND filter) {
  if (gui().dirtyCount == 0) return nullptr;
  for (HWND h : currentPaintOrder()) {
    if (find(h)->dirty && (filter == nullptr || filter == h)) return h;
  }
  return nullptr;
}

}  // namespace wince::win

using namespace wince::win;

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (hwnd == nullptr) {
    invalidateScreenArea(screenRect(), nullptr);
    return TRUE;
  }
  Window* w = find(hwnd);
  if (w == nullptr) return FALSE;
  invalidateClient(w, rect, erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  Window* w = find(hwnd);
  if (w == nullptr) return FALSE;
  if (!w->dirty) return TRUE;
  if (rect == nullptr) {
    clearUpdate(w);
    return TRUE;
  }
  // The update area is one rectangle: trim what a band across it covers.
  RECT& u = w->update;
  const RECT& v = *rect;
  if (v.left <= u.left && v.right >= u.right) {
    if (v.top <= u.top && v.bottom > u.top) u.top = std::min(v.bottom, u.bottom);
    if (v.bottom >= u.bottom && v.top < u.bottom) u.bottom = std::max(v.top, u.top);
  } else if (v.top <= u.top && v.bottom >= u.bottom) {
    if (v.left <= u.left && v.right > u.left) u.left = std::min(v.right, u.right);
    if (v.right >= u.right && v.left < u.right) u.right = std::max(v.left, u.left);
  }
  if (rectEmpty(u)) clearUpdate(w);
  return TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr) return FALSE;
  if (w->dirty && visibleOnScreen(w)) callWindow(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  Window* w = find(hwnd);
  if (w == nullptr) return FALSE;
  if (rect != nullptr) *rect = w->dirty ? w->update : RECT{};
  return w->dirty ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL) {
  Window* w = find(hwnd);
  if (w == nullptr || rgn == nullptr) return ERROR;
  const RECT u = w->dirty ? w->update : RECT{};
  SetRectRgn(rgn, u.left, u.top, u.right, u.bottom);
  return w->dirty ? SIMPLEREGION : NULLREGION;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  Window* w = find(hwnd);
  if (w == nullptr || ps == nullptr) return nullptr;
  *ps = PAINTSTRUCT{};
  drawFrame(hwnd);
  if ((w = find(hwnd)) == nullptr) return nullptr;
  const RECT paint = w->dirty ? intersect(w->update, visibleClientPart(w)) : RECT{};
  const bool erase = w->dirty && w->erase;
  clearUpdate(w);
  HDC hdc = clientDC(w, paint);
  ps->hdc = hdc;
  ps->rcPaint = paint;
  if (erase && hdc != nullptr) ps->fErase = callWindow(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
  return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* ps) {
  if (ps != nullptr && ps->hdc != nullptr) wince::detail::releaseWindowDC(ps->hdc);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (hwnd == nullptr) return wince::detail::createWindowDC(nullptr, false);
  Window* w = find(hwnd);
  if (w == nullptr) return nullptr;
  HDC hdc = clientDC(w, visibleClientPart(w));
  if (hdc != nullptr) excludeWindowsAbove(hdc, w);
  return hdc;
}

HDC GetWindowDC(HWND hwnd) {
  if (hwnd != nullptr && find(hwnd) == nullptr) return nullptr;
  return wince::detail::createWindowDC(hwnd, true);
}

int ReleaseDC(HWND, HDC hdc) {
  if (hdc == nullptr) return 0;
  wince::detail::releaseWindowDC(hdc);
  return 1;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT*, const RECT*, HRGN, LPRECT updateRect, UINT flags) {
  Window* w = find(hwnd);
  if (w == nullptr) return ERROR;
  if (flags & SW_SCROLLCHILDREN) {
    const std::vector<HWND> children = w->children;
    for (HWND c : children) {
      Window* child = find(c);
      if (child == nullptr) continue;
      SetWindowPos(c, nullptr, child->rect.left + dx, child->rect.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // The content is redrawn rather than moved: the whole client area is new.
  if ((w = find(hwnd)) == nullptr) return ERROR;
  const RECT all = clientSize(w);
  if (updateRect != nullptr) *updateRect = all;
  if (flags & SW_INVALIDATE) invalidateClient(w, nullptr, (flags & SW_ERASE) != 0);
  return SIMPLEREGION;
}
