// The tab control: a row of tabs along its top, or along its bottom with
// TCS_BOTTOM as the device's own dialogs have it. A tap on a tab or Left and
// Right change the selection, asking the parent first (TCN_SELCHANGING,
// TRUE refuses) and telling it afterwards (TCN_SELCHANGE).
#include <algorithm>
#include <vector>

#include "ctl_common.h"

namespace wince::ctl {

namespace {

struct Tab {
  std::u16string text;
  LPARAM data = 0;
  HICON icon{};
};

struct TabState : win::ControlState {
  std::vector<Tab> tabs;
  int sel = -1;
  LRESULT version = 0;
};

TabState* tabs(HWND hwnd) { return stateOf<TabState>(hwnd); }
int count(HWND hwnd) { return static_cast<int>(tabs(hwnd)->tabs.size()); }
bool atBottom(HWND hwnd) { return (styleOf(hwnd) & TCS_BOTTOM) != 0; }
bool anyIcon(HWND hwnd) {
  const auto& all = tabs(hwnd)->tabs;
  return std::any_of(all.begin(), all.end(), [](const Tab& t) { return t.icon != nullptr; });
}
int stripHeight(HWND hwnd) {
  return std::max(lineHeightOf(hwnd), anyIcon(hwnd) ? tabIconSide() : 0) + px(8);
}
// Room an icon takes before the text: the icon and a gap.
int iconRoom(const Tab& t) { return t.icon != nullptr ? tabIconSide() + px(4) : 0; }

RECT stripRect(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  if (atBottom(hwnd)) rc.top = rc.bottom - stripHeight(hwnd);
  else rc.bottom = rc.top + stripHeight(hwnd);
  return rc;
}

// The tabs' rectangles, left to right.
std::vector<RECT> tabRects(HWND hwnd) {
  const TabState* s = tabs(hwnd);
  const RECT strip = stripRect(hwnd);
  MeasureScope m(hwnd);
  std::vector<RECT> out;
  int x = strip.left;
  for (const Tab& t : s->tabs) {
    const int w = m.width(t.text) + px(16) + iconRoom(t);
    out.push_back(RECT{x, strip.top, x + w, strip.bottom});
    x += w;
  }
  return out;
}

void select(HWND hwnd, int index, bool notify) {
  const TabState* s = tabs(hwnd);
  if (index < 0 || index >= count(hwnd) || index == s->sel) return;
  if (notify && sendNotify(hwnd, TCN_SELCHANGING) != 0) return;
  TabState* live = tabs(hwnd);
  if (live == nullptr) return;
  live->sel = index;
  InvalidateRect(hwnd, nullptr, TRUE);
  if (notify) sendNotify(hwnd, TCN_SELCHANGE);
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const TabState* s = tabs(hwnd);
  FillRect(p.dc(), &p.client(), parentColours(hwnd, p.dc(), WM_CTLCOLORSTATIC));
  const int t = std::max(1, px(1));
  const RECT strip = stripRect(hwnd);
  const bool bottom = atBottom(hwnd);
  fill(p.dc(), strip, kFace);
  const int edge = bottom ? strip.top : strip.bottom - t;
  fill(p.dc(), {strip.left, edge, strip.right, edge + t}, kInk);
  const std::vector<RECT> rects = tabRects(hwnd);
  for (size_t i = 0; i < rects.size(); ++i) {
    RECT r = rects[i];
    const bool selected = static_cast<int>(i) == s->sel;
    if (selected) {
      // The chosen tab joins the page: no line between them.
      const RECT body = bottom ? RECT{r.left, r.top, r.right, r.bottom - px(2)} : RECT{r.left, r.top + px(2), r.right, r.bottom};
      fill(p.dc(), body, kPaper);
      fill(p.dc(), {body.left, body.top, body.left + t, body.bottom}, kInk);
      fill(p.dc(), {body.right - t, body.top, body.right, body.bottom}, kInk);
      const int rim = bottom ? body.bottom - t : body.top;
      fill(p.dc(), {body.left, rim, body.right, rim + t}, kInk);
      r = body;
    } else {
      fill(p.dc(), {r.right - t, r.top + px(4), r.right, r.bottom - px(4)}, kLine);
    }
    const Tab& tab = s->tabs[i];
    if (tab.icon != nullptr) {
      const int side = tabIconSide();
      DrawIconEx(p.dc(), r.left + px(8), (r.top + r.bottom - side) / 2, tab.icon, side, side, 0, nullptr, DI_NORMAL);
    }
    const COLORREF ink = IsWindowEnabled(hwnd) ? kInk : kGreyInk;
    text(p.dc(), {r.left + iconRoom(tab), r.top, r.right, r.bottom}, tab.text, DT_SINGLELINE | DT_VCENTER | DT_CENTER,
         ink);
    if (selected && GetFocus() == hwnd) {
      focusFrame(p.dc(), {r.left + px(3), r.top + px(3), r.right - px(3), r.bottom - px(3)});
    }
  }
}

LRESULT insert(HWND hwnd, int at, const TCITEMW* item) {
  TabState* s = tabs(hwnd);
  if (item == nullptr) return -1;
  at = std::clamp(at, 0, count(hwnd));
  Tab tab;
  if ((item->mask & TCIF_TEXT) && item->pszText != nullptr) tab.text = item->pszText;
  if (item->mask & TCIF_PARAM) tab.data = item->lParam;
  s->tabs.insert(s->tabs.begin() + at, tab);
  if (s->sel >= at) ++s->sel;
  if (s->sel < 0) s->sel = 0;
  InvalidateRect(hwnd, nullptr, TRUE);
  return at;
}

LRESULT getItem(HWND hwnd, int index, TCITEMW* item) {
  const TabState* s = tabs(hwnd);
  if (item == nullptr || index < 0 || index >= count(hwnd)) return FALSE;
  const Tab& tab = s->tabs[static_cast<size_t>(index)];
  if (item->mask & TCIF_PARAM) item->lParam = tab.data;
  if (item->mask & TCIF_TEXT) copyTextOut(tab.text, item->pszText, item->cchTextMax);
  return TRUE;
}

LRESULT setItem(HWND hwnd, int index, const TCITEMW* item) {
  TabState* s = tabs(hwnd);
  if (item == nullptr || index < 0 || index >= count(hwnd)) return FALSE;
  Tab& tab = s->tabs[static_cast<size_t>(index)];
  if ((item->mask & TCIF_TEXT) && item->pszText != nullptr) tab.text = item->pszText;
  if (item->mask & TCIF_PARAM) tab.data = item->lParam;
  InvalidateRect(hwnd, nullptr, TRUE);
  return TRUE;
}

// The page area for a window rectangle, or the reverse.
void adjustRect(HWND hwnd, bool larger, RECT* r) {
  if (r == nullptr) return;
  const int h = stripHeight(hwnd);
  if (atBottom(hwnd)) {
    r->bottom += larger ? h : -h;
  } else {
    r->top += larger ? -h : h;
  }
}

void tap(HWND hwnd, LPARAM lParam) {
  const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const std::vector<RECT> rects = tabRects(hwnd);
  for (size_t i = 0; i < rects.size(); ++i) {
    if (PtInRect(&rects[i], pt)) {
      if ((styleOf(hwnd) & WS_TABSTOP) && GetFocus() != hwnd) SetFocus(hwnd);
      select(hwnd, static_cast<int>(i), true);
      return;
    }
  }
}

LRESULT itemMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TabState* s = tabs(hwnd);
  const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
  switch (msg) {
    case TCM_GETITEMCOUNT: return count(hwnd);
    case TCM_INSERTITEMW: return insert(hwnd, index, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_GETITEMW: return getItem(hwnd, index, reinterpret_cast<TCITEMW*>(lParam));
    case TCM_SETITEMW: return setItem(hwnd, index, reinterpret_cast<const TCITEMW*>(lParam));
    case TCM_DELETEITEM:
      if (index < 0 || index >= count(hwnd)) return FALSE;
      s->tabs.erase(s->tabs.begin() + index);
      if (s->sel >= count(hwnd) || s->sel == index) s->sel = count(hwnd) > 0 ? std::min(index, count(hwnd) - 1) : -1;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case TCM_DELETEALLITEMS:
      s->tabs.clear();
      s->sel = -1;
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    case TCM_GETCURSEL:
    case TCM_GETCURFOCUS: return s->sel;
    case TCM_SETCURSEL: {
      const int old = s->sel;
      if (index < 0 || index >= count(hwnd)) return -1;
      select(hwnd, index, false);
      return old;
    }
    case TCM_SETCURFOCUS: select(hwnd, index, true); return 0;
    case TCM_GETITEMRECT: {
      const std::vector<RECT> rects = tabRects(hwnd);
      auto* out = reinterpret_cast<RECT*>(lParam);
      if (out == nullptr || index < 0 || index >= count(hwnd)) return FALSE;
      *out = rects[static_cast<size_t>(index)];
      return TRUE;
    }
    case TCM_ADJUSTRECT: adjustRect(hwnd, wParam != 0, reinterpret_cast<RECT*>(lParam)); return 0;
    case kTabSetIcon:
      if (index < 0 || index >= count(hwnd)) return FALSE;
      s->tabs[static_cast<size_t>(index)].icon = reinterpret_cast<HICON>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int tabIconSide() { return px(16); }

LRESULT CALLBACK tabProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wParam == VK_LEFT) select(hwnd, tabs(hwnd)->sel - 1, true);
      if (wParam == VK_RIGHT) select(hwnd, tabs(hwnd)->sel + 1, true);
      return 0;
    case WM_LBUTTONDOWN: tap(hwnd, lParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case CCM_SETVERSION: {
      TabState* s = tabs(hwnd);
      const LRESULT old = s->version;
      s->version = static_cast<LRESULT>(wParam);
      return old;
    }
    case CCM_GETVERSION: return tabs(hwnd)->version;
    default:
      if (msg >= TCM_FIRST && msg < TCM_FIRST + 0x100) return itemMessage(hwnd, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl
