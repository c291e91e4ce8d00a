// Popup menus tracked modally: one window per open level, the first one's
// modal loop, the stylus captured by the innermost level.
#include <algorithm>
#include <vector>

#include "ctl_common.h"
#include "menu_internal.h"
#include "wince/system.h"
#include "wince/host/window.h"

namespace wince::menus {

namespace {

constexpr const char16_t* kPopupClass = u"wince_menu";

struct Level {
  HMENU menu{};
  HWND window{};
  int selected = -1;
};

struct Tracker {
  std::vector<Level> levels;
  HWND owner{};
  bool active = false;
};

Tracker& tracker() {
  static Tracker t;
  return t;
}

int itemHeight(const Item& item) {
  return (item.flags & MF_SEPARATOR) ? ctl::px(7) : ctl::lineHeightOf(nullptr) + ctl::px(8);
}

SIZE measure(HMENU menu) {
  const Menu* m = find(menu);
  ctl::MeasureScope ms(nullptr);
  SIZE size{ctl::px(60), 2};
  for (const Item& item : m->items) {
    size.cx = std::max<LONG>(size.cx, ms.width(item.text) + ctl::px(40));
    size.cy += itemHeight(item);
  }
  return size;
}

Level* levelOf(HWND window) {
  for (Level& l : tracker().levels) {
    if (l.window == window) return &l;
  }
  return nullptr;
}

// The item under a point of the level's client area; -1 for none.
int itemAt(const Level& level, int y) {
  const Menu* m = find(level.menu);
  if (m == nullptr) return -1;
  int top = 0;
  for (size_t i = 0; i < m->items.size(); ++i) {
    const int h = itemHeight(m->items[i]);
    if (y >= top && y < top + h) return static_cast<int>(i);
    top += h;
  }
  return -1;
}

int itemTop(const Level& level, int index) {
  const Menu* m = find(level.menu);
  int top = 0;
  for (int i = 0; i < index; ++i) top += itemHeight(m->items[static_cast<size_t>(i)]);
  return top;
}

void drawItem(HDC hdc, const Item& item, RECT r, bool selected) {
  if (item.flags & MF_SEPARATOR) {
    const int y = (r.top + r.bottom) / 2;
    ctl::fill(hdc, {r.left + ctl::px(4), y, r.right - ctl::px(4), y + std::max(1, ctl::px(1))}, ctl::kLine);
    return;
  }
  if (selected) ctl::fill(hdc, r, ctl::selectionColor());
  COLORREF ink = selected ? ctl::kPaper : ctl::kInk;
  if (!selectable(item)) ink = ctl::kGreyInk;
  if (item.flags & MF_CHECKED) {
    const int s = ctl::px(5);
    const int cx = r.left + ctl::px(10);
    const int cy = (r.top + r.bottom) / 2;
    if (item.flags & MF_RADIOCHECK) {
      ctl::fill(hdc, {cx - s / 2, cy - s / 2, cx + s / 2 + 1, cy + s / 2 + 1}, ink);
    } else {
      ctl::arrow(hdc, {cx - s, cy - s, cx + s, cy + s}, ctl::Arrow::Down, ink);
    }
  }
  RECT text{r.left + ctl::px(20), r.top, r.right - ctl::px(16), r.bottom};
  ctl::text(hdc, text, item.text, DT_SINGLELINE | DT_VCENTER, ink);
  if (item.flags & MF_POPUP) {
    ctl::arrow(hdc, {r.right - ctl::px(16), r.top, r.right - ctl::px(4), r.bottom}, ctl::Arrow::Right, ink);
  }
}

void paint(HWND hwnd) {
  ctl::PaintScope p(hwnd);
  ctl::fill(p.dc(), p.client(), ctl::kPaper);
  const Level* level = levelOf(hwnd);
  const Menu* m = level != nullptr ? find(level->menu) : nullptr;
  if (m == nullptr) return;
  int top = 0;
  for (size_t i = 0; i < m->items.size(); ++i) {
    const int h = itemHeight(m->items[i]);
    drawItem(p.dc(), m->items[i], {0, top, p.client().right, top + h}, static_cast<int>(i) == level->selected);
    top += h;
  }
}

void end(UINT command) {
  Tracker& t = tracker();
  if (!t.active || t.levels.empty()) return;
  t.active = false;
  endModalLoop(t.levels.front().window, static_cast<INT_PTR>(command));
}

HWND openLevel(HMENU menu, int x, int y, UINT flags);

void closeLevelsAfter(size_t keep) {
  Tracker& t = tracker();
  while (t.levels.size() > keep) {
    const HWND w = t.levels.back().window;
    t.levels.pop_back();
    DestroyWindow(w);
  }
  if (!t.levels.empty()) SetCapture(t.levels.back().window);
}

void select(Level* level, int index) {
  if (level->selected == index) return;
  level->selected = index;
  InvalidateRect(level->window, nullptr, FALSE);
}

// Opens the selected item's submenu beside its level.
void openSubmenu(size_t at) {
  Tracker& t = tracker();
  closeLevelsAfter(at + 1);
  const Level& level = t.levels[at];
  const Menu* m = find(level.menu);
  if (m == nullptr || level.selected < 0) return;
  const Item& item = m->items[static_cast<size_t>(level.selected)];
  if (item.sub == nullptr || !selectable(item)) return;
  RECT r;
  GetWindowRect(level.window, &r);
  SendMessage(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.sub), level.selected);
  openLevel(item.sub, r.right - ctl::px(4), r.top + itemTop(level, level.selected), TPM_LEFTALIGN | TPM_TOPALIGN);
}

void choose(size_t at) {
  const Level& level = tracker().levels[at];
  const Menu* m = find(level.menu);
  if (m == nullptr || level.selected < 0) return;
  const Item& item = m->items[static_cast<size_t>(level.selected)];
  if (!selectable(item)) return;
  if (item.sub != nullptr) {
    openSubmenu(at);
    return;
  }
  end(item.id);
}

void step(Level* level, int direction) {
  const Menu* m = find(level->menu);
  const int n = m != nullptr ? static_cast<int>(m->items.size()) : 0;
  for (int k = 1; k <= n; ++k) {
    const int i = ((level->selected < 0 ? (direction > 0 ? -1 : 0) : level->selected) + direction * k + n * 2) % n;
    if (selectable(m->items[static_cast<size_t>(i)])) {
      select(level, i);
      return;
    }
  }
}

void key(WPARAM vk) {
  Tracker& t = tracker();
  if (t.levels.empty()) return;
  const size_t at = t.levels.size() - 1;
  Level* level = &t.levels[at];
  switch (vk) {
    case VK_UP: step(level, -1); break;
    case VK_DOWN: step(level, 1); break;
    case VK_RIGHT: openSubmenu(at); break;
    case VK_RETURN: choose(at); break;
    case VK_LEFT:
    case VK_ESCAPE:
      if (at == 0) {
        end(0);
      } else {
        closeLevelsAfter(at);
      }
      break;
    default: break;
  }
}

// The stylus is captured by the innermost level; points are on the screen.
void stylus(HWND hwnd, UINT msg, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(hwnd, &pt);
  Tracker& t = tracker();
  for (size_t i = t.levels.size(); i-- > 0;) {
    RECT r;
    GetWindowRect(t.levels[i].window, &r);
    if (!PtInRect(&r, pt)) continue;
    POINT local = pt;
    ScreenToClient(t.levels[i].window, &local);
    Level* level = &t.levels[i];
    const int index = itemAt(*level, local.y);
    if (msg != WM_LBUTTONUP) {
      select(level, index);
      return;
    }
    if (index >= 0) choose(i);
    return;
  }
  if (msg == WM_LBUTTONDOWN) end(0);  // a tap outside every level
}

LRESULT CALLBACK popupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_KEYDOWN: key(wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: stylus(hwnd, msg, lParam); return 0;
    case WM_CANCELMODE: end(0); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

void registerPopupClass() {
  WNDCLASSW wc{};
  if (GetClassInfo(nullptr, kPopupClass, &wc)) return;
  wc.lpfnWndProc = popupProc;
  wc.lpszClassName = kPopupClass;
  RegisterClass(&wc);
}

HWND openLevel(HMENU menu, int x, int y, UINT flags) {
  const SIZE size = measure(menu);
  const int w = size.cx, h = size.cy;
  if (flags & TPM_RIGHTALIGN) x -= w;
  if (flags & TPM_CENTERALIGN) x -= w / 2;
  if (flags & TPM_BOTTOMALIGN) y -= h;
  if (flags & TPM_VCENTERALIGN) y -= h / 2;
  x = std::clamp(x, 0, std::max(0, GetSystemMetrics(SM_CXSCREEN) - w));
  y = std::clamp(y, 0, std::max(0, GetSystemMetrics(SM_CYSCREEN) - h));
  Tracker& t = tracker();
  const HWND owner = t.levels.empty() ? t.owner : t.levels.back().window;
  HWND window = CreateWindowEx(WS_EX_TOPMOST, kPopupClass, u"", WS_POPUP | WS_BORDER, x, y, w, h, owner, nullptr,
                               nullptr, nullptr);
  if (window == nullptr) return nullptr;
  t.levels.push_back({menu, window, -1});
  ShowWindow(window, SW_SHOW);
  SetFocus(window);
  SetCapture(window);
  return window;
}

}  // namespace

RECT itemRectOnScreen(const wince::OpenMenu& open, int index) {
  const Menu* m = find(open.menu);
  RECT r{};
  if (m == nullptr || index < 0 || index >= static_cast<int>(m->items.size()) || !GetClientRect(open.window, &r)) {
    return RECT{};
  }
  const Level level{open.menu, open.window, open.selected};
  POINT origin{0, itemTop(level, index)};
  ClientToScreen(open.window, &origin);
  return RECT{origin.x, origin.y, origin.x + r.right, origin.y + itemHeight(m->items[static_cast<size_t>(index)])};
}

}  // namespace wince::menus

namespace wince {

std::vector<OpenMenu> openMenus() {
  std::vector<OpenMenu> out;
  for (const menus::Level& l : menus::tracker().levels) out.push_back({l.menu, l.window, l.selected});
  return out;
}

}  // namespace wince

using namespace wince::menus;

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, void*) {
  Tracker& t = tracker();
  if (find(menu) == nullptr || t.active || !IsWindow(owner)) return FALSE;
  registerPopupClass();
  const bool notify = !(flags & TPM_NONOTIFY);
  if (notify) SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
  if (notify) SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  t.owner = owner;
  t.active = true;
  const HWND first = openLevel(menu, x, y, flags);
  INT_PTR command = 0;
  if (first != nullptr) command = wince::runModalLoop(owner, first, wince::ModalKind::Menu);
  t.active = false;
  if (GetCapture() != nullptr) ReleaseCapture();
  closeLevelsAfter(0);
  int exitCode = 0;
  if (wince::quitPending(&exitCode)) command = 0;  // the program is ending: nothing was chosen
  if (notify) SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(command);
  if (command != 0) PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
