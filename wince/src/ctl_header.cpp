// The header control of report list views: a row of column titles with
// their widths, which fits itself to the top of its parent (HDM_LAYOUT).
#include <algorithm>
#include <vector>

#include "ctl_common.h"

namespace wince::ctl {

namespace {

struct Column {
  std::u16string text;
  int width = 0;
  int fmt = HDF_LEFT;
  LPARAM data = 0;
};

struct HeaderState : win::ControlState {
  std::vector<Column> columns;
};

HeaderState* header(HWND hwnd) { return stateOf<HeaderState>(hwnd); }

int height(HWND hwnd) { return lineHeightOf(hwnd) + px(5); }

void apply(Column* c, const HDITEMW& item) {
  if (item.mask & HDI_WIDTH) c->width = std::max(0, item.cxy);
  if ((item.mask & HDI_TEXT) && item.pszText != nullptr) c->text = item.pszText;
  if (item.mask & HDI_FORMAT) c->fmt = item.fmt;
}

LRESULT insert(HWND hwnd, int at, const HDITEMW* item) {
  HeaderState* s = header(hwnd);
  if (item == nullptr) return -1;
  at = std::clamp(at, 0, static_cast<int>(s->columns.size()));
  Column c;
  apply(&c, *item);
  s->columns.insert(s->columns.begin() + at, c);
  InvalidateRect(hwnd, nullptr, TRUE);
  return at;
}

LRESULT get(HWND hwnd, int index, HDITEMW* item) {
  const HeaderState* s = header(hwnd);
  if (item == nullptr || index < 0 || index >= static_cast<int>(s->columns.size())) return FALSE;
  const Column& c = s->columns[static_cast<size_t>(index)];
  if (item->mask & HDI_WIDTH) item->cxy = c.width;
  if (item->mask & HDI_FORMAT) item->fmt = c.fmt;
  if (item->mask & HDI_TEXT) copyTextOut(c.text, item->pszText, item->cchTextMax);
  return TRUE;
}

LRESULT set(HWND hwnd, int index, const HDITEMW* item) {
  HeaderState* s = header(hwnd);
  if (item == nullptr || index < 0 || index >= static_cast<int>(s->columns.size())) return FALSE;
  apply(&s->columns[static_cast<size_t>(index)], *item);
  InvalidateRect(hwnd, nullptr, TRUE);
  if (HWND parent = GetParent(hwnd)) InvalidateRect(parent, nullptr, TRUE);
  return TRUE;
}

LRESULT layout(HWND hwnd, HDLAYOUT* l) {
  if (l == nullptr || l->prc == nullptr || l->pwpos == nullptr) return FALSE;
  const int h = (styleOf(hwnd) & WS_VISIBLE) ? height(hwnd) : 0;
  *l->pwpos = WINDOWPOS{hwnd, nullptr, l->prc->left, l->prc->top, l->prc->right - l->prc->left, h, SWP_NOZORDER};
  l->prc->top += h;
  return TRUE;
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const HeaderState* s = header(hwnd);
  const RECT& rc = p.client();
  fill(p.dc(), rc, kFace);
  const int t = std::max(1, px(1));
  fill(p.dc(), {rc.left, rc.bottom - t, rc.right, rc.bottom}, kLine);
  int x = 0;
  for (const Column& c : s->columns) {
    RECT cell{x + px(4), rc.top, x + c.width - px(4), rc.bottom - t};
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if ((c.fmt & 3) == HDF_RIGHT) format |= DT_RIGHT;
    if ((c.fmt & 3) == HDF_CENTER) format |= DT_CENTER;
    text(p.dc(), cell, c.text, format, kInk);
    x += c.width;
    fill(p.dc(), {x - t, rc.top + px(3), x, rc.bottom - px(3)}, kLine);
  }
}

}  // namespace

LRESULT CALLBACK headerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case HDM_GETITEMCOUNT: return static_cast<LRESULT>(header(hwnd)->columns.size());
    case HDM_INSERTITEM: return insert(hwnd, static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_DELETEITEM: {
      HeaderState* s = header(hwnd);
      const auto i = static_cast<size_t>(wParam);
      if (i >= s->columns.size()) return FALSE;
      s->columns.erase(s->columns.begin() + static_cast<long>(i));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    case HDM_GETITEM: return get(hwnd, static_cast<int>(wParam), reinterpret_cast<HDITEMW*>(lParam));
    case HDM_SETITEM: return set(hwnd, static_cast<int>(wParam), reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_LAYOUT: return layout(hwnd, reinterpret_cast<HDLAYOUT*>(lParam));
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl
