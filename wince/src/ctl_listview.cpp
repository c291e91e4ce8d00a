// The list view in report mode: a header of columns, rows of text cells
// with item data and a selection, scrolled by its own bar (unless
// LVS_NOSCROLL), keys and the stylus; LVN_ITEMCHANGED and NM_CLICK go to
// the parent.
#include <algorithm>
#include <vector>

#include "ctl_common.h"

namespace wince::ctl {

namespace {

struct Row {
  std::vector<std::u16string> cells;
  LPARAM data = 0;
  UINT state = 0;
};

struct ListViewState : win::ControlState {
  HWND header{};
  std::vector<Row> rows;
  int top = 0;
  DWORD exStyle = 0;
};

ListViewState* view(HWND hwnd) { return stateOf<ListViewState>(hwnd); }
int count(HWND hwnd) { return static_cast<int>(view(hwnd)->rows.size()); }
int rowHeight(HWND hwnd) { return lineHeightOf(hwnd) + px(4); }

int headerHeight(HWND hwnd) {
  const ListViewState* s = view(hwnd);
  if (s->header == nullptr || !(styleOf(s->header) & WS_VISIBLE)) return 0;
  RECT r;
  GetWindowRect(s->header, &r);
  return r.bottom - r.top;
}

int columnCount(HWND hwnd) {
  const ListViewState* s = view(hwnd);
  return s->header != nullptr ? static_cast<int>(SendMessage(s->header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

HDITEMW column(HWND hwnd, int index) {
  HDITEMW item{};
  item.mask = HDI_WIDTH | HDI_FORMAT;
  SendMessage(view(hwnd)->header, HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return item;
}

int pageRows(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return std::max(1, static_cast<int>(rc.bottom - rc.top - headerHeight(hwnd)) / std::max(1, rowHeight(hwnd)));
}

void layoutHeader(HWND hwnd) {
  const ListViewState* s = view(hwnd);
  if (s->header == nullptr) return;
  RECT rc;
  GetClientRect(hwnd, &rc);
  WINDOWPOS pos{};
  HDLAYOUT l{&rc, &pos};
  SendMessage(s->header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&l));
  SetWindowPos(s->header, nullptr, pos.x, pos.y, pos.cx, pos.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The bar comes and goes with the need for it.
void updateScrollBar(HWND hwnd) {
  ListViewState* s = view(hwnd);
  const DWORD style = styleOf(hwnd);
  if (style & LVS_NOSCROLL) return;
  const bool needed = count(hwnd) > pageRows(hwnd);
  if (needed != ((style & WS_VSCROLL) != 0)) {
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG_PTR>(needed ? style | WS_VSCROLL : style & ~WS_VSCROLL));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    layoutHeader(hwnd);
    if ((s = view(hwnd)) == nullptr) return;
  }
  s->top = std::clamp(s->top, 0, std::max(0, count(hwnd) - pageRows(hwnd)));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, count(hwnd) - 1),
                static_cast<UINT>(pageRows(hwnd)), s->top, 0};
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void changed(HWND hwnd) {
  updateScrollBar(hwnd);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void setTop(HWND hwnd, int top) {
  ListViewState* s = view(hwnd);
  top = std::clamp(top, 0, std::max(0, count(hwnd) - pageRows(hwnd)));
  if (top == s->top) return;
  s->top = top;
  changed(hwnd);
}

bool ensureVisible(HWND hwnd, int index) {
  const ListViewState* s = view(hwnd);
  if (index < 0 || index >= count(hwnd)) return false;
  if (index < s->top) setTop(hwnd, index);
  if (index >= s->top + pageRows(hwnd)) setTop(hwnd, index - pageRows(hwnd) + 1);
  return true;
}

// Sets the state bits of one row and tells the parent.
void setRowState(HWND hwnd, int index, UINT state, UINT mask) {
  ListViewState* s = view(hwnd);
  Row& row = s->rows[static_cast<size_t>(index)];
  const UINT old = row.state;
  const UINT now = (old & ~mask) | (state & mask);
  if (now == old) return;
  row.state = now;
  InvalidateRect(hwnd, nullptr, FALSE);
  NMLISTVIEW nm{};
  nm.iItem = index;
  nm.uNewState = now;
  nm.uOldState = old;
  nm.uChanged = LVIF_STATE;
  nm.lParam = row.data;
  sendNotify(hwnd, LVN_ITEMCHANGED, &nm.hdr);
}

void setState(HWND hwnd, int index, UINT state, UINT mask) {
  if (index >= 0) {
    if (index < count(hwnd)) setRowState(hwnd, index, state, mask);
    return;
  }
  for (int i = 0; i < count(hwnd); ++i) {
    if (view(hwnd) == nullptr) return;
    setRowState(hwnd, i, state, mask);
  }
}

// One selected and focused row (single selection).
void choose(HWND hwnd, int index) {
  if (index < 0 || index >= count(hwnd)) return;
  for (int i = 0; i < count(hwnd); ++i) {
    if (i != index && view(hwnd) != nullptr) setRowState(hwnd, i, 0, LVIS_SELECTED | LVIS_FOCUSED);
  }
  if (view(hwnd) == nullptr) return;
  setRowState(hwnd, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ensureVisible(hwnd, index);
}

int nextItem(HWND hwnd, int start, UINT flags) {
  const ListViewState* s = view(hwnd);
  for (int i = std::max(start + 1, 0); i < count(hwnd); ++i) {
    const UINT st = s->rows[static_cast<size_t>(i)].state;
    if (((flags & LVNI_SELECTED) == 0 || (st & LVIS_SELECTED)) && ((flags & LVNI_FOCUSED) == 0 || (st & LVIS_FOCUSED))) {
      return i;
    }
  }
  return -1;
}

void setCell(Row* row, int sub, const WCHAR* t) {
  if (sub < 0) return;
  if (row->cells.size() <= static_cast<size_t>(sub)) row->cells.resize(static_cast<size_t>(sub) + 1);
  row->cells[static_cast<size_t>(sub)] = t != nullptr ? t : u"";
}

LRESULT insertItem(HWND hwnd, const LVITEMW* item) {
  ListViewState* s = view(hwnd);
  if (item == nullptr) return -1;
  const int at = std::clamp(item->iItem, 0, count(hwnd));
  Row row;
  if (item->mask & LVIF_TEXT) setCell(&row, 0, item->pszText);
  if (item->mask & LVIF_PARAM) row.data = item->lParam;
  if (item->mask & LVIF_STATE) row.state = item->state & item->stateMask;
  s->rows.insert(s->rows.begin() + at, row);
  changed(hwnd);
  return at;
}

LRESULT setItem(HWND hwnd, const LVITEMW* item) {
  ListViewState* s = view(hwnd);
  if (item == nullptr || item->iItem < 0 || item->iItem >= count(hwnd)) return FALSE;
  Row& row = s->rows[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_TEXT) setCell(&row, item->iSubItem, item->pszText);
  if (item->mask & LVIF_PARAM) row.data = item->lParam;
  InvalidateRect(hwnd, nullptr, FALSE);
  if (item->mask & LVIF_STATE) setRowState(hwnd, item->iItem, item->state, item->stateMask);
  return TRUE;
}

LRESULT copyCell(HWND hwnd, int index, LVITEMW* item) {
  const ListViewState* s = view(hwnd);
  if (item == nullptr || index < 0 || index >= count(hwnd) || item->pszText == nullptr || item->cchTextMax <= 0) {
    return 0;
  }
  const Row& row = s->rows[static_cast<size_t>(index)];
  const auto sub = static_cast<size_t>(std::max(item->iSubItem, 0));
  const std::u16string t = sub < row.cells.size() ? row.cells[sub] : u"";
  return static_cast<LRESULT>(copyTextOut(t, item->pszText, item->cchTextMax));
}

LRESULT getItem(HWND hwnd, LVITEMW* item) {
  const ListViewState* s = view(hwnd);
  if (item == nullptr || item->iItem < 0 || item->iItem >= count(hwnd)) return FALSE;
  const Row& row = s->rows[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_TEXT) copyCell(hwnd, item->iItem, item);
  if (item->mask & LVIF_PARAM) item->lParam = row.data;
  if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
  return TRUE;
}

LRESULT insertColumn(HWND hwnd, int at, const LVCOLUMNW* c) {
  const ListViewState* s = view(hwnd);
  if (c == nullptr || s->header == nullptr) return -1;
  HDITEMW item{};
  item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
  item.cxy = (c->mask & LVCF_WIDTH) ? c->cx : px(60);
  item.pszText = (c->mask & LVCF_TEXT) ? c->pszText : const_cast<LPWSTR>(u"");
  item.fmt = (c->mask & LVCF_FMT) ? c->fmt : LVCFMT_LEFT;
  const LRESULT r = SendMessage(s->header, HDM_INSERTITEM, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&item));
  InvalidateRect(hwnd, nullptr, TRUE);
  return r;
}

LRESULT columnWidth(HWND hwnd, int index, int width, bool set) {
  const ListViewState* s = view(hwnd);
  if (s->header == nullptr || index < 0 || index >= columnCount(hwnd)) return 0;
  if (!set) return column(hwnd, index).cxy;
  HDITEMW item{};
  item.mask = HDI_WIDTH;
  item.cxy = width;
  return SendMessage(s->header, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const ListViewState* s = view(hwnd);
  const RECT& rc = p.client();
  FillRect(p.dc(), &rc, parentColours(hwnd, p.dc(), WM_CTLCOLORLISTBOX));
  const COLORREF ink = IsWindowEnabled(hwnd) ? GetTextColor(p.dc()) : kGreyInk;
  const int h = rowHeight(hwnd);
  const int top = headerHeight(hwnd);
  const int columns = std::max(1, columnCount(hwnd));
  const bool focused = GetFocus() == hwnd;
  const bool showSel = focused || (styleOf(hwnd) & LVS_SHOWSELALWAYS);
  std::vector<HDITEMW> cols;
  for (int c = 0; c < columns; ++c) cols.push_back(column(hwnd, c));
  for (int i = s->top, y = top; i < count(hwnd) && y < rc.bottom; ++i, y += h) {
    const Row& row = s->rows[static_cast<size_t>(i)];
    const bool selected = showSel && (row.state & LVIS_SELECTED);
    if (selected) fill(p.dc(), {rc.left, y, rc.right, y + h}, focused ? selectionColor() : kFace);
    int x = 0;
    for (int c = 0; c < columns; ++c) {
      const int w = columnCount(hwnd) > 0 ? cols[static_cast<size_t>(c)].cxy : rc.right;
      RECT cell{x + px(4), y, x + w - px(4), y + h};
      UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
      if ((cols[static_cast<size_t>(c)].fmt & 3) == LVCFMT_RIGHT) format |= DT_RIGHT;
      if ((cols[static_cast<size_t>(c)].fmt & 3) == LVCFMT_CENTER) format |= DT_CENTER;
      if (static_cast<size_t>(c) < row.cells.size()) {
        text(p.dc(), cell, row.cells[static_cast<size_t>(c)], format, selected && focused ? kPaper : ink);
      }
      x += w;
    }
    if (s->exStyle & LVS_EX_GRIDLINES) fill(p.dc(), {rc.left, y + h - 1, rc.right, y + h}, kLine);
  }
}

void scroll(HWND hwnd, WORD code) {
  setTop(hwnd, scrolledTop(hwnd, code, view(hwnd)->top, pageRows(hwnd), count(hwnd)));
}

void key(HWND hwnd, WPARAM vk) {
  const int n = count(hwnd);
  const int at = nextItem(hwnd, -1, LVNI_FOCUSED);
  const int cur = at >= 0 ? at : nextItem(hwnd, -1, LVNI_SELECTED);
  int to = cur;
  switch (vk) {
    case VK_UP: to = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN: to = cur + 1; break;
    case VK_PRIOR: to = cur - pageRows(hwnd); break;
    case VK_NEXT: to = cur + pageRows(hwnd); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = n - 1; break;
    case VK_RETURN: sendNotify(hwnd, NM_RETURN); return;
    default: return;
  }
  if (n == 0) return;
  to = std::clamp(to, 0, n - 1);
  if (to != cur) choose(hwnd, to);
}

void tap(HWND hwnd, UINT msg, LPARAM lParam) {
  if (GetFocus() != hwnd) SetFocus(hwnd);
  const ListViewState* s = view(hwnd);
  if (s == nullptr) return;
  const int y = GET_Y_LPARAM(lParam) - headerHeight(hwnd);
  const int index = y >= 0 ? s->top + y / std::max(1, rowHeight(hwnd)) : -1;
  if (index >= 0 && index < count(hwnd)) choose(hwnd, index);
  if (view(hwnd) != nullptr) sendNotify(hwnd, msg == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_CLICK);
}

void create(HWND hwnd, const CREATESTRUCTW* cs) {
  const DWORD hidden = (cs->style & LVS_NOCOLUMNHEADER) ? 0 : WS_VISIBLE;
  HWND header = CreateWindowEx(0, WC_HEADER, u"", WS_CHILD | hidden, 0, 0, cs->cx, 0, hwnd, nullptr, cs->hInstance,
                               nullptr);
  if (ListViewState* s = view(hwnd)) s->header = header;
  layoutHeader(hwnd);
}

LRESULT itemMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListViewState* s = view(hwnd);
  const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
  switch (msg) {
    case LVM_GETITEMCOUNT: return count(hwnd);
    case LVM_INSERTITEMW: return insertItem(hwnd, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_SETITEMW: return setItem(hwnd, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMW: return getItem(hwnd, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMTEXTW: {
      auto* item = reinterpret_cast<LVITEMW*>(lParam);
      if (item == nullptr || index < 0 || index >= count(hwnd)) return FALSE;
      setCell(&s->rows[static_cast<size_t>(index)], item->iSubItem, item->pszText);
      InvalidateRect(hwnd, nullptr, FALSE);
      return TRUE;
    }
    case LVM_GETITEMTEXTW: return copyCell(hwnd, index, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_DELETEITEM:
      if (index < 0 || index >= count(hwnd)) return FALSE;
      s->rows.erase(s->rows.begin() + index);
      changed(hwnd);
      return TRUE;
    case LVM_DELETEALLITEMS:
      s->rows.clear();
      s->top = 0;
      changed(hwnd);
      return TRUE;
    case LVM_GETNEXTITEM: return nextItem(hwnd, index, LOWORD(lParam));
    case LVM_SETITEMSTATE: {
      const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
      if (item == nullptr) return FALSE;
      setState(hwnd, index, item->state, item->stateMask);
      return TRUE;
    }
    case LVM_GETITEMSTATE:
      return index >= 0 && index < count(hwnd) ? s->rows[static_cast<size_t>(index)].state & static_cast<UINT>(lParam) : 0;
    case LVM_ENSUREVISIBLE: return ensureVisible(hwnd, index) ? TRUE : FALSE;
    case LVM_GETTOPINDEX: return s->top;
    case LVM_GETCOUNTPERPAGE: return pageRows(hwnd);
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(s->header);
    case LVM_INSERTCOLUMNW: return insertColumn(hwnd, index, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_GETCOLUMNWIDTH: return columnWidth(hwnd, index, 0, false);
    case LVM_SETCOLUMNWIDTH: return columnWidth(hwnd, index, static_cast<int>(LOWORD(lParam)), true);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
      const DWORD old = s->exStyle;
      const auto mask = wParam != 0 ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
      s->exStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
      InvalidateRect(hwnd, nullptr, TRUE);
      return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return s->exStyle;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK listViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: create(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
      layoutHeader(hwnd);
      changed(hwnd);
      return 0;
    case WM_SETFONT:
      DefWindowProc(hwnd, msg, wParam, lParam);
      if (view(hwnd)->header != nullptr) SendMessage(view(hwnd)->header, WM_SETFONT, wParam, 0);
      layoutHeader(hwnd);
      changed(hwnd);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: key(hwnd, wParam); return 0;
    case WM_VSCROLL: scroll(hwnd, LOWORD(wParam)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd, nullptr, FALSE);
      sendNotify(hwnd, msg == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: tap(hwnd, msg, lParam); return 0;
    case CCM_SETVERSION: return 0;
    default:
      if (msg >= LVM_FIRST && msg < LVM_FIRST + 0x100) return itemMessage(hwnd, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl
