// The list box: one column of text items with item data, one selection,
// kept sorted on request, scrolled by its bar, keys and the stylus.
#include "ctl_listbox.h"

#include <algorithm>
#include <vector>

#include "ctl_common.h"
#include "wince/text.h"

namespace wince::ctl {

namespace {

struct Item {
  std::u16string text;
  LPARAM data = 0;
};

struct ListState : win::ControlState {
  std::vector<Item> items;
  int sel = -1;
  int top = 0;
  int itemHeight = 0;  // 0: from the font
  HWND combo{};        // drop-down of this combo box
  bool tracking = false;
};

ListState* list(HWND hwnd) { return stateOf<ListState>(hwnd); }

int itemHeight(HWND hwnd) {
  const ListState* s = list(hwnd);
  return s->itemHeight > 0 ? s->itemHeight : lineHeightOf(hwnd) + px(2);
}

int visibleRows(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return std::max(1, static_cast<int>(rc.bottom - rc.top) / std::max(1, itemHeight(hwnd)));
}

int count(HWND hwnd) { return static_cast<int>(list(hwnd)->items.size()); }

void updateScrollBar(HWND hwnd) {
  const ListState* s = list(hwnd);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, count(hwnd) - 1),
                static_cast<UINT>(visibleRows(hwnd)), s->top, 0};
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void setTop(HWND hwnd, int top) {
  ListState* s = list(hwnd);
  top = std::clamp(top, 0, std::max(0, count(hwnd) - visibleRows(hwnd)));
  if (top == s->top) return;
  s->top = top;
  updateScrollBar(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void changed(HWND hwnd) {
  updateScrollBar(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void ensureVisible(HWND hwnd, int index) {
  const ListState* s = list(hwnd);
  if (index < 0) return;
  if (index < s->top) setTop(hwnd, index);
  if (index >= s->top + visibleRows(hwnd)) setTop(hwnd, index - visibleRows(hwnd) + 1);
}

int setSel(HWND hwnd, int index) {
  ListState* s = list(hwnd);
  if (index < -1 || index >= count(hwnd)) index = -1;
  if (s->sel != index) {
    s->sel = index;
    InvalidateRect(hwnd, nullptr, FALSE);
  }
  ensureVisible(hwnd, index);
  return index;
}

int insert(HWND hwnd, int at, const WCHAR* text, bool sorted) {
  ListState* s = list(hwnd);
  Item item{text != nullptr ? text : u"", 0};
  if (sorted) {
    at = static_cast<int>(std::upper_bound(s->items.begin(), s->items.end(), item,
                                           [](const Item& a, const Item& b) {
                                             return _wcsicmp(a.text.c_str(), b.text.c_str()) < 0;
                                           }) -
                          s->items.begin());
  } else if (at < 0 || at > count(hwnd)) {
    at = count(hwnd);
  }
  s->items.insert(s->items.begin() + at, item);
  if (s->sel >= at) ++s->sel;
  changed(hwnd);
  return at;
}

LRESULT remove(HWND hwnd, int index) {
  ListState* s = list(hwnd);
  if (index < 0 || index >= count(hwnd)) return LB_ERR;
  s->items.erase(s->items.begin() + index);
  if (s->sel == index) s->sel = -1;
  if (s->sel > index) --s->sel;
  s->top = std::clamp(s->top, 0, std::max(0, count(hwnd) - visibleRows(hwnd)));
  changed(hwnd);
  return count(hwnd);
}

int find(HWND hwnd, int after, const WCHAR* wanted, bool exact) {
  if (wanted == nullptr) return LB_ERR;
  const ListState* s = list(hwnd);
  const int n = count(hwnd);
  const size_t len = wcslen(wanted);
  for (int step = 1; step <= n; ++step) {
    const int i = (after + step + n) % n;
    const std::u16string& t = s->items[static_cast<size_t>(i)].text;
    const bool match = exact ? _wcsicmp(t.c_str(), wanted) == 0
                             : t.size() >= len && _wcsnicmp(t.c_str(), wanted, len) == 0;
    if (match) return i;
  }
  return LB_ERR;
}

// Reports a new selection: to the combo box it drops from, else to the
// parent when it asked for notifications.
void selectionMade(HWND hwnd, WORD code) {
  const ListState* s = list(hwnd);
  if (s->combo != nullptr) return;
  if (styleOf(hwnd) & LBS_NOTIFY) sendCommand(hwnd, code);
}

int rowAt(HWND hwnd, int y) {
  const ListState* s = list(hwnd);
  if (y < 0) return -1;
  const int row = s->top + y / std::max(1, itemHeight(hwnd));
  return row < count(hwnd) ? row : -1;
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const ListState* s = list(hwnd);
  FillRect(p.dc(), &p.client(), parentColours(hwnd, p.dc(), WM_CTLCOLORLISTBOX));
  const COLORREF ink = IsWindowEnabled(hwnd) ? GetTextColor(p.dc()) : kGreyInk;
  const int h = itemHeight(hwnd);
  const bool focused = GetFocus() == hwnd || s->combo != nullptr;
  for (int i = s->top, y = 0; i < count(hwnd) && y < p.client().bottom; ++i, y += h) {
    const RECT row{0, y, p.client().right, y + h};
    const bool selected = i == s->sel;
    if (selected) fill(p.dc(), row, focused ? selectionColor() : kFace);
    RECT tr{row.left + px(3), row.top, row.right - px(2), row.bottom};
    text(p.dc(), tr, s->items[static_cast<size_t>(i)].text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS,
         selected && focused ? kPaper : ink);
  }
}

void scroll(HWND hwnd, WORD code) {
  setTop(hwnd, scrolledTop(hwnd, code, list(hwnd)->top, visibleRows(hwnd), count(hwnd)));
}

void key(HWND hwnd, WPARAM vk) {
  const ListState* s = list(hwnd);
  const int n = count(hwnd);
  if (n == 0) return;
  int to = s->sel;
  switch (vk) {
    case VK_UP: to = std::max(0, s->sel - 1); break;
    case VK_DOWN: to = std::min(n - 1, s->sel + 1); break;
    case VK_PRIOR: to = std::max(0, s->sel - visibleRows(hwnd) + 1); break;
    case VK_NEXT: to = std::min(n - 1, std::max(0, s->sel) + visibleRows(hwnd) - 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = n - 1; break;
    default: return;
  }
  if (to == s->sel) return;
  setSel(hwnd, to);
  selectionMade(hwnd, LBN_SELCHANGE);
}

void stylus(HWND hwnd, UINT msg, LPARAM lParam) {
  ListState* s = list(hwnd);
  const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  RECT rc;
  GetClientRect(hwnd, &rc);
  const bool inside = PtInRect(&rc, pt) != 0;
  const int row = inside ? rowAt(hwnd, pt.y) : -1;
  if (s->combo != nullptr) {  // a drop-down: the combo box decides
    if (msg == WM_LBUTTONDOWN && !inside) {
      comboListChose(s->combo, false);
      return;
    }
    if (row >= 0 && msg != WM_LBUTTONUP) setSel(hwnd, row);
    if (msg == WM_LBUTTONUP && row >= 0) comboListChose(s->combo, true);
    return;
  }
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    s = list(hwnd);
    if (s == nullptr) return;
    s->tracking = true;
    SetCapture(hwnd);
  }
  if (s->tracking && row >= 0 && row != s->sel) {
    setSel(hwnd, row);
    selectionMade(hwnd, LBN_SELCHANGE);
  }
  if (msg == WM_LBUTTONDBLCLK && row >= 0) selectionMade(hwnd, LBN_DBLCLK);
  if (msg == WM_LBUTTONUP && s->tracking) {
    s->tracking = false;
    ReleaseCapture();
  }
}

LRESULT copyItemText(HWND hwnd, int index, WCHAR* out) {
  if (index < 0 || index >= count(hwnd)) return LB_ERR;
  const std::u16string& t = list(hwnd)->items[static_cast<size_t>(index)].text;
  if (out != nullptr) {
    std::copy(t.begin(), t.end(), out);
    out[t.size()] = 0;
  }
  return static_cast<LRESULT>(t.size());
}

LRESULT itemMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListState* s = list(hwnd);
  const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
  const bool valid = index >= 0 && index < count(hwnd);
  switch (msg) {
    case LB_ADDSTRING:
      return insert(hwnd, -1, reinterpret_cast<const WCHAR*>(lParam), (styleOf(hwnd) & LBS_SORT) != 0);
    case LB_INSERTSTRING: return insert(hwnd, index, reinterpret_cast<const WCHAR*>(lParam), false);
    case LB_DELETESTRING: return remove(hwnd, index);
    case LB_RESETCONTENT:
      s->items.clear();
      s->sel = -1;
      s->top = 0;
      changed(hwnd);
      return 0;
    case LB_SETCURSEL: return setSel(hwnd, index) == index ? index : LB_ERR;
    case LB_GETCURSEL: return s->sel;
    case LB_GETTEXT: return copyItemText(hwnd, index, reinterpret_cast<WCHAR*>(lParam));
    case LB_GETTEXTLEN: return valid ? static_cast<LRESULT>(s->items[static_cast<size_t>(index)].text.size()) : LB_ERR;
    case LB_GETCOUNT: return count(hwnd);
    case LB_GETTOPINDEX: return s->top;
    case LB_SETTOPINDEX:
      if (!valid) return LB_ERR;
      setTop(hwnd, index);
      return LB_OKAY;
    case LB_GETITEMDATA: return valid ? s->items[static_cast<size_t>(index)].data : LB_ERR;
    case LB_SETITEMDATA:
      if (!valid) return LB_ERR;
      s->items[static_cast<size_t>(index)].data = lParam;
      return LB_OKAY;
    case LB_FINDSTRING: return find(hwnd, index, reinterpret_cast<const WCHAR*>(lParam), false);
    case LB_FINDSTRINGEXACT: return find(hwnd, index, reinterpret_cast<const WCHAR*>(lParam), true);
    case LB_GETITEMHEIGHT: return itemHeight(hwnd);
    case LB_SETITEMHEIGHT:
      s->itemHeight = LOWORD(lParam);
      changed(hwnd);
      return LB_OKAY;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

void attachListToCombo(HWND listWindow, HWND combo) {
  if (ListState* s = list(listWindow)) s->combo = combo;
}

LRESULT CALLBACK listBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: changed(hwnd); return 0;
    case WM_SETFONT:
      DefWindowProc(hwnd, msg, wParam, lParam);
      changed(hwnd);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: key(hwnd, wParam); return 0;
    case WM_VSCROLL: scroll(hwnd, LOWORD(wParam)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: stylus(hwnd, msg, lParam); return 0;
    case WM_CANCELMODE:
      if (ListState* s = list(hwnd); s != nullptr && s->tracking) {
        s->tracking = false;
        ReleaseCapture();
      }
      return 0;
    default:
      if (msg >= LB_ADDSTRING && msg <= LB_FINDSTRINGEXACT) return itemMessage(hwnd, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl
