// Window geometry: frames, coordinates, moves, z-order and regions.
#include <algorithm>

#include "device_screen.h"
#include "shell_draw.h"
#include "wince/gdi.h"
#include "wince/system.h"
#include "window_internal.h"

namespace wince::win {

RECT screenRect() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

RECT workArea() {
  RECT r{};
  if (!SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0)) r = screenRect();
  return r;
}

int titleRowOf(DWORD style, LONG width) {
  const bool captioned = (style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD);
  return captioned && width < GetSystemMetrics(SM_CXSCREEN) ? wince::detail::titleRowHeight() : 0;
}

// The frame: a one-pixel border for WS_BORDER or WS_DLGFRAME, a captioned
// pop-up's title row, and the scroll bars on the right and bottom.
RECT clientRectLocal(const Window* w) {
  const LONG width = w->rect.right - w->rect.left;
  const LONG height = w->rect.bottom - w->rect.top;
  if (isDesktop(w->handle)) return screenRect();
  const LONG border = (w->style & (WS_BORDER | WS_DLGFRAME)) ? 1 : 0;
  RECT r{border, border + titleRowOf(w->style, width), width - border, height - border};
  if (w->style & WS_VSCROLL) r.right -= GetSystemMetrics(SM_CXVSCROLL);
  if (w->style & WS_HSCROLL) r.bottom -= GetSystemMetrics(SM_CYHSCROLL);
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

POINT clientOriginScreen(const Window* w) {
  if (isDesktop(w->handle)) return POINT{0, 0};
  const Window* p = find(w->parent);
  const POINT base = p != nullptr ? clientOriginScreen(p) : POINT{0, 0};
  const RECT client = clientRectLocal(w);
  return POINT{base.x + w->rect.left + client.left, base.y + w->rect.top + client.top};
}

RECT windowRectScreen(const Window* w) {
  if (isDesktop(w->handle)) return screenRect();
  const Window* p = find(w->parent);
  const POINT base = p != nullptr ? clientOriginScreen(p) : POINT{0, 0};
  return offset(w->rect, base.x, base.y);
}

RECT clientRectScreen(const Window* w) {
  const POINT o = clientOriginScreen(w);
  const RECT c = clientRectLocal(w);
  return RECT{o.x, o.y, o.x + (c.right - c.left), o.y + (c.bottom - c.top)};
}

bool visibleOnScreen(const Window* w) {
  for (; w != nullptr; w = find(w->parent)) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (isDesktop(w->handle)) return true;
  }
  return false;
}

namespace {

void reorder(Window* w, HWND insertAfter) {
  if (insertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
  if (insertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
  if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    raiseToTop(w->handle);
    return;
  }
  Window* p = find(w->parent);
  if (p == nullptr) return;
  std::vector<HWND> order = p->children;
  std::erase(order, w->handle);
  auto it = insertAfter == HWND_BOTTOM ? order.end() : std::find(order.begin(), order.end(), insertAfter);
  order.insert(it == order.end() ? order.end() : it + 1, w->handle);
  restack(p->handle, std::move(order));
}

struct DeferredMove {
  HWND hwnd;
  HWND insertAfter;
  int x, y, cx, cy;
  UINT flags;
};

struct DeferList {
  HDWP handle;
  std::vector<DeferredMove> moves;
};

std::vector<DeferList>& deferLists() {
  static std::vector<DeferList> lists;
  return lists;
}

}  // namespace

}  // namespace wince::win

using namespace wince::win;

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* w = find(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = windowRectScreen(w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  Window* w = find(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  const RECT c = clientRectLocal(w);
  *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt) {
  Window* w = find(hwnd);
  if (w == nullptr || pt == nullptr) return FALSE;
  const POINT o = clientOriginScreen(w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt) {
  Window* w = find(hwnd);
  if (w == nullptr || pt == nullptr) return FALSE;
  const POINT o = clientOriginScreen(w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count) {
  Window* a = from != nullptr ? find(from) : desktopWindow();
  Window* b = to != nullptr ? find(to) : desktopWindow();
  if (a == nullptr || b == nullptr) return 0;
  const POINT oa = clientOriginScreen(a);
  const POINT ob = clientOriginScreen(b);
  const LONG dx = oa.x - ob.x;
  const LONG dy = oa.y - ob.y;
  for (UINT i = 0; i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = find(hwnd);
  if (w == nullptr || isDesktop(hwnd)) return FALSE;
  const bool wasVisible = visibleOnScreen(w);
  const RECT oldScreen = windowRectScreen(w);
  const RECT oldRect = w->rect;
  const RECT oldClient = clientRectLocal(w);
  if (!(flags & SWP_NOMOVE)) w->rect = offset(w->rect, x - w->rect.left, y - w->rect.top);
  if (!(flags & SWP_NOSIZE)) {
    w->rect.right = w->rect.left + std::max(cx, 0);
    w->rect.bottom = w->rect.top + std::max(cy, 0);
  }
  if (!(flags & SWP_NOZORDER)) reorder(w, insertAfter);
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  if (flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) markPaintOrderStale();

  const RECT newClient = clientRectLocal(w);
  const bool moved = oldRect.left != w->rect.left || oldRect.top != w->rect.top ||
                     oldClient.left != newClient.left || oldClient.top != newClient.top;
  const bool sized = (oldClient.right - oldClient.left) != (newClient.right - newClient.left) ||
                     (oldClient.bottom - oldClient.top) != (newClient.bottom - newClient.top);
  // (A change of z-order alone repaints what it uncovered in reorder.)
  const bool changed = moved || sized || (flags & (SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_HIDEWINDOW));
  if (changed && !(flags & SWP_NOREDRAW)) {
    if (wasVisible) invalidateScreenArea(oldScreen, hwnd);
    if (visibleOnScreen(w)) InvalidateRect(hwnd, nullptr, TRUE);
  }
  if (!visibleOnScreen(w) && isAncestor(hwnd, gui().active)) activateAfterLoss(hwnd);
  if (sized) {
    callWindow(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(newClient.right - newClient.left, newClient.bottom - newClient.top));
  }
  if (moved && (w = find(hwnd)) != nullptr) {
    callWindow(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + newClient.left, w->rect.top + newClient.top));
  }
  if (!(flags & SWP_NOACTIVATE) && (w = find(hwnd)) != nullptr && isTopLevel(w) && visibleOnScreen(w) &&
      !(w->exStyle & WS_EX_NOACTIVATE)) {
    SetActiveWindow(hwnd);
  }
  return IsWindow(hwnd);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

HDWP BeginDeferWindowPos(int count) {
  auto& lists = deferLists();
  static uintptr_t next = 0;
  next += 16;
  lists.push_back(DeferList{reinterpret_cast<HDWP>(next), {}});
  lists.back().moves.reserve(static_cast<size_t>(std::max(count, 0)));
  return lists.back().handle;
}

HDWP DeferWindowPos(HDWP dwp, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  for (auto& list : deferLists()) {
    if (list.handle == dwp) {
      if (!IsWindow(hwnd)) return nullptr;
      list.moves.push_back(DeferredMove{hwnd, insertAfter, x, y, cx, cy, flags});
      return dwp;
    }
  }
  return nullptr;
}

BOOL EndDeferWindowPos(HDWP dwp) {
  auto& lists = deferLists();
  auto it = std::find_if(lists.begin(), lists.end(), [dwp](const DeferList& l) { return l.handle == dwp; });
  if (it == lists.end()) return FALSE;
  const std::vector<DeferredMove> moves = std::move(it->moves);
  lists.erase(it);
  for (const DeferredMove& m : moves) SetWindowPos(m.hwnd, m.insertAfter, m.x, m.y, m.cx, m.cy, m.flags);
  return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  Window* w = find(hwnd);
  if (w == nullptr) return 0;
  if (w->region) DeleteObject(w->region);
  w->region = rgn;
  w->regionBox = RECT{};
  if (rgn != nullptr) GetRgnBox(rgn, &w->regionBox);
  if (redraw && visibleOnScreen(w)) {
    invalidateScreenArea(windowRectScreen(w), hwnd);  // what the old shape covered
    InvalidateRect(hwnd, nullptr, TRUE);
  }
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  Window* w = find(hwnd);
  if (w == nullptr || w->region == nullptr || rgn == nullptr) return ERROR;
  return CombineRgn(rgn, w->region, nullptr, RGN_COPY);
}

namespace wince::detail {

bool windowRectOnScreen(HWND hwnd, RECT* out) {
  Window* w = hwnd != nullptr ? find(hwnd) : desktopWindow();
  if (w == nullptr || out == nullptr) return false;
  *out = windowRectScreen(w);
  return true;
}

bool clientRectOnScreen(HWND hwnd, RECT* out) {
  Window* w = hwnd != nullptr ? find(hwnd) : desktopWindow();
  if (w == nullptr || out == nullptr) return false;
  *out = clientRectScreen(w);
  return true;
}

}  // namespace wince::detail
