// The combo box: a drop-down list (the chosen item's text and a button) or
// a drop-down with an edit as its first child. Its items live in a list box
// that pops up below it (above it when the screen ends first). Up and Down
// step through the items while it is closed; a tap or F4 opens the list.
#include <algorithm>

#include "ctl_common.h"
#include "ctl_listbox.h"
#include "wince/system.h"

namespace wince::ctl {

namespace {

struct ComboState : win::ControlState {
  HWND list{};
  HWND edit{};
  bool dropped = false;
  int droppedHeight = 0;  // the height the template gave: the open list's reach
  int droppedWidth = 0;
  int selWhenDropped = -1;
  bool extendedUi = false;
  LCID locale = 0x0409;
  int horizontalExtent = 0;
};

ComboState* combo(HWND hwnd) { return stateOf<ComboState>(hwnd); }
DWORD kindOf(HWND hwnd) { return styleOf(hwnd) & CBS_TYPEMASK; }
bool hasEdit(HWND hwnd) { return kindOf(hwnd) != CBS_DROPDOWNLIST; }

LRESULT toList(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const ComboState* s = combo(hwnd);
  return s != nullptr && s->list != nullptr ? SendMessage(s->list, msg, wParam, lParam) : CB_ERR;
}

int buttonWidth() { return px(16); }

RECT buttonRect(HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  return RECT{rc.right - buttonWidth(), rc.top, rc.right, rc.bottom};
}

std::u16string itemText(HWND hwnd, int index) {
  const auto n = toList(hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n < 0) return u"";
  std::u16string t(static_cast<size_t>(n) + 1, u'\0');
  toList(hwnd, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(t.data()));
  t.resize(static_cast<size_t>(n));
  return t;
}

// The shown text follows the selection.
void showSelection(HWND hwnd) {
  const ComboState* s = combo(hwnd);
  const auto sel = static_cast<int>(toList(hwnd, LB_GETCURSEL, 0, 0));
  const std::u16string t = sel >= 0 ? itemText(hwnd, sel) : u"";
  if (s->edit != nullptr) {
    SetWindowText(s->edit, t.c_str());
    SendMessage(s->edit, EM_SETSEL, 0, -1);
  } else if (win::Window* w = win::find(hwnd)) {
    w->text = t;
  }
  InvalidateRect(hwnd, nullptr, FALSE);
}

// The closed control's height: one line of text and its rim.
void fitHeight(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const int h = lineHeightOf(hwnd) + 2 * px(3) + 2;
  SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  const ComboState* s = combo(hwnd);
  if (s->edit != nullptr) {
    const int t = std::max(1, px(1));
    SetWindowPos(s->edit, nullptr, t, t, rc.right - rc.left - buttonWidth() - t, h - 2 * t,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void create(HWND hwnd, const CREATESTRUCTW* cs) {
  // A scroll bar asked for belongs to the list, not to the closed control.
  SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG_PTR>(styleOf(hwnd) & ~(WS_VSCROLL | WS_HSCROLL)));
  ComboState* s = combo(hwnd);
  s->droppedHeight = cs->cy;
  const DWORD listStyle = WS_POPUP | WS_BORDER | WS_VSCROLL | ((cs->style & CBS_SORT) ? LBS_SORT : 0);
  s->list = CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, u"LISTBOX", u"", listStyle, 0, 0, cs->cx, cs->cy,
                           GetParent(hwnd), nullptr, cs->hInstance, nullptr);
  attachListToCombo(s->list, hwnd);
  if (hasEdit(hwnd)) {
    HWND edit = CreateWindowEx(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, cs->cx, cs->cy, hwnd,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(1001)), cs->hInstance, nullptr);
    if ((s = combo(hwnd)) != nullptr) s->edit = edit;
  }
  fitHeight(hwnd);
}

void openList(HWND hwnd) {
  ComboState* s = combo(hwnd);
  if (s == nullptr || s->dropped || s->list == nullptr) return;
  sendCommand(hwnd, CBN_DROPDOWN);
  if ((s = combo(hwnd)) == nullptr) return;
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const int rows = std::max<int>(1, static_cast<int>(toList(hwnd, LB_GETCOUNT, 0, 0)));
  const auto rowHeight = static_cast<int>(toList(hwnd, LB_GETITEMHEIGHT, 0, 0));
  const int reach = std::max(s->droppedHeight - (rc.bottom - rc.top), rowHeight + 2);
  const int h = std::min(rows * rowHeight + 2, std::max(reach, rowHeight + 2));
  const int w = std::max<int>(s->droppedWidth, rc.right - rc.left);
  int top = rc.bottom;
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (top + h > screen.bottom) top = std::max<int>(0, rc.top - h);
  s->dropped = true;
  s->selWhenDropped = static_cast<int>(toList(hwnd, LB_GETCURSEL, 0, 0));
  SetWindowPos(s->list, HWND_TOPMOST, rc.left, top, w, h, SWP_NOACTIVATE);
  ShowWindow(s->list, SW_SHOWNOACTIVATE);
  if (s->selWhenDropped >= 0) toList(hwnd, LB_SETCURSEL, static_cast<WPARAM>(s->selWhenDropped), 0);
  SetCapture(s->list);
  InvalidateRect(hwnd, nullptr, FALSE);
}

void closeList(HWND hwnd, bool accepted) {
  ComboState* s = combo(hwnd);
  if (s == nullptr || !s->dropped) return;
  s->dropped = false;
  if (GetCapture() == s->list) ReleaseCapture();
  ShowWindow(s->list, SW_HIDE);
  const int before = s->selWhenDropped;
  if (!accepted) toList(hwnd, LB_SETCURSEL, static_cast<WPARAM>(before), 0);
  const auto now = static_cast<int>(toList(hwnd, LB_GETCURSEL, 0, 0));
  showSelection(hwnd);
  if (accepted && now != before) sendCommand(hwnd, CBN_SELCHANGE);
  sendCommand(hwnd, accepted ? CBN_SELENDOK : CBN_SELENDCANCEL);
  sendCommand(hwnd, CBN_CLOSEUP);
}

void step(HWND hwnd, int to) {
  const auto n = static_cast<int>(toList(hwnd, LB_GETCOUNT, 0, 0));
  const auto sel = static_cast<int>(toList(hwnd, LB_GETCURSEL, 0, 0));
  to = std::clamp(to, 0, n - 1);
  if (n == 0 || to == sel) return;
  toList(hwnd, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
  const ComboState* s = combo(hwnd);
  if (s->dropped) return;  // chosen when the list closes
  showSelection(hwnd);
  sendCommand(hwnd, CBN_SELCHANGE);
}

void key(HWND hwnd, WPARAM vk) {
  const ComboState* s = combo(hwnd);
  const auto sel = static_cast<int>(toList(hwnd, LB_GETCURSEL, 0, 0));
  const auto n = static_cast<int>(toList(hwnd, LB_GETCOUNT, 0, 0));
  switch (vk) {
    case VK_UP: step(hwnd, sel - 1); break;
    case VK_DOWN: step(hwnd, sel + 1); break;
    case VK_HOME: step(hwnd, 0); break;
    case VK_END: step(hwnd, n - 1); break;
    case VK_F4:
      if (s->dropped) {
        closeList(hwnd, true);
      } else {
        openList(hwnd);
      }
      break;
    case VK_RETURN:
      if (s->dropped) closeList(hwnd, true);
      break;
    case VK_ESCAPE:
      if (s->dropped) closeList(hwnd, false);
      break;
    default: break;
  }
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const ComboState* s = combo(hwnd);
  const bool enabled = IsWindowEnabled(hwnd) != 0;
  FillRect(p.dc(), &p.client(), parentColours(hwnd, p.dc(), WM_CTLCOLOREDIT));
  const int t = std::max(1, px(1));
  frame(p.dc(), p.client(), enabled ? kInk : kGreyInk, t);
  const RECT button = buttonRect(hwnd);
  dropButton(p.dc(), {button.left, button.top + t, button.right - t, button.bottom - t}, s->dropped);
  if (s->edit != nullptr) return;
  RECT area{p.client().left + 2 * t, p.client().top + 2 * t, button.left - t, p.client().bottom - 2 * t};
  const bool focused = GetFocus() == hwnd && !s->dropped;
  COLORREF ink = enabled ? GetTextColor(p.dc()) : kGreyInk;
  if (focused) {
    fill(p.dc(), area, selectionColor());
    ink = kPaper;
  }
  area.left += px(2);
  text(p.dc(), area, textOf(hwnd), DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, ink);
}

LRESULT dialogCode(HWND hwnd) {
  const ComboState* s = combo(hwnd);
  if (s->dropped) return DLGC_WANTALLKEYS | DLGC_WANTARROWS;
  return DLGC_WANTARROWS | (hasEdit(hwnd) ? DLGC_WANTCHARS | DLGC_HASSETSEL : 0);
}

void destroy(HWND hwnd) {
  ComboState* s = combo(hwnd);
  if (s != nullptr && s->list != nullptr) {
    const HWND list = s->list;
    s->list = nullptr;
    DestroyWindow(list);
  }
}

LRESULT itemMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ComboState* s = combo(hwnd);
  switch (msg) {
    case CB_ADDSTRING: return toList(hwnd, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING: return toList(hwnd, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      const LRESULT r = toList(hwnd, LB_DELETESTRING, wParam, lParam);
      showSelection(hwnd);
      return r;
    }
    case CB_RESETCONTENT:
      toList(hwnd, LB_RESETCONTENT, 0, 0);
      showSelection(hwnd);
      return CB_OKAY;
    case CB_GETCOUNT: return toList(hwnd, LB_GETCOUNT, 0, 0);
    case CB_GETCURSEL: return toList(hwnd, LB_GETCURSEL, 0, 0);
    case CB_SETCURSEL: {
      const LRESULT r = toList(hwnd, LB_SETCURSEL, wParam, 0);
      showSelection(hwnd);
      return r;
    }
    case CB_SELECTSTRING: {
      const LRESULT at = toList(hwnd, LB_FINDSTRING, wParam, lParam);
      if (at == LB_ERR) return CB_ERR;
      toList(hwnd, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
      showSelection(hwnd);
      return at;
    }
    case CB_GETLBTEXT: return toList(hwnd, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return toList(hwnd, LB_GETTEXTLEN, wParam, lParam);
    case CB_FINDSTRING: return toList(hwnd, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return toList(hwnd, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_GETITEMDATA: return toList(hwnd, LB_GETITEMDATA, wParam, lParam);
    case CB_SETITEMDATA: return toList(hwnd, LB_SETITEMDATA, wParam, lParam);
    case CB_GETTOPINDEX: return toList(hwnd, LB_GETTOPINDEX, 0, 0);
    case CB_SETTOPINDEX: return toList(hwnd, LB_SETTOPINDEX, wParam, 0);
    case CB_GETITEMHEIGHT: return toList(hwnd, LB_GETITEMHEIGHT, 0, 0);
    case CB_SETITEMHEIGHT: return toList(hwnd, LB_SETITEMHEIGHT, 0, lParam);
    case CB_SHOWDROPDOWN:
      if (wParam) {
        openList(hwnd);
      } else {
        closeList(hwnd, false);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE: return s->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      if (r == nullptr) return CB_ERR;
      GetWindowRect(hwnd, r);
      r->bottom = r->top + s->droppedHeight;
      return CB_OKAY;
    }
    case CB_SETEXTENDEDUI: s->extendedUi = wParam != 0; return CB_OKAY;
    case CB_GETEXTENDEDUI: return s->extendedUi ? TRUE : FALSE;
    case CB_GETDROPPEDWIDTH: return s->droppedWidth;
    case CB_SETDROPPEDWIDTH: s->droppedWidth = static_cast<int>(wParam); return s->droppedWidth;
    case CB_INITSTORAGE: return static_cast<LRESULT>(wParam);
    case CB_GETLOCALE: return static_cast<LRESULT>(s->locale);
    case CB_SETLOCALE: {
      const LCID old = s->locale;
      s->locale = static_cast<LCID>(wParam);
      return static_cast<LRESULT>(old);
    }
    case CB_GETHORIZONTALEXTENT: return s->horizontalExtent;
    case CB_SETHORIZONTALEXTENT: s->horizontalExtent = static_cast<int>(wParam); return 0;
    case CB_LIMITTEXT: return s->edit != nullptr ? SendMessage(s->edit, EM_LIMITTEXT, wParam, 0) : TRUE;
    case CB_GETEDITSEL: return s->edit != nullptr ? SendMessage(s->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      if (s->edit == nullptr) return CB_ERR;
      SendMessage(s->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                  static_cast<SHORT>(HIWORD(lParam)));
      return TRUE;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

// Messages of the inner edit reach the combo box as its own.
void editCommand(HWND hwnd, WORD code) {
  if (code == EN_CHANGE) sendCommand(hwnd, CBN_EDITCHANGE);
  if (code == EN_UPDATE) sendCommand(hwnd, CBN_EDITUPDATE);
  if (code == EN_SETFOCUS) sendCommand(hwnd, CBN_SETFOCUS);
  if (code == EN_KILLFOCUS) sendCommand(hwnd, CBN_KILLFOCUS);
}

}  // namespace

void comboListChose(HWND hwnd, bool accepted) { closeList(hwnd, accepted); }

LRESULT CALLBACK comboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: create(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_DESTROY: destroy(hwnd); return 0;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFONT: {
      DefWindowProc(hwnd, msg, wParam, lParam);
      const ComboState* s = combo(hwnd);
      if (s->list != nullptr) SendMessage(s->list, WM_SETFONT, wParam, 0);
      if (s->edit != nullptr) SendMessage(s->edit, WM_SETFONT, wParam, 0);
      fitHeight(hwnd);
      return 0;
    }
    case WM_GETDLGCODE: return dialogCode(hwnd);
    case WM_KEYDOWN: key(hwnd, wParam); return 0;
    case WM_SETFOCUS:
      if (const ComboState* s = combo(hwnd); s->edit != nullptr) {
        SetFocus(s->edit);
        return 0;
      }
      sendCommand(hwnd, CBN_SETFOCUS);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) != combo(hwnd)->edit) {
        closeList(hwnd, false);
        if (combo(hwnd)->edit == nullptr) sendCommand(hwnd, CBN_KILLFOCUS);
      }
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_LBUTTONDOWN:
      if (!hasEdit(hwnd) || GET_X_LPARAM(lParam) >= buttonRect(hwnd).left) {
        // A tap gives the focus straight to the edit of a combo box that has one.
        const HWND edit = combo(hwnd)->edit;
        if (GetFocus() != hwnd && (edit == nullptr || GetFocus() != edit)) SetFocus(edit != nullptr ? edit : hwnd);
        openList(hwnd);
      }
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == combo(hwnd)->edit) editCommand(hwnd, HIWORD(wParam));
      return 0;
    case WM_CLEAR:
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
      if (const ComboState* s = combo(hwnd); s->edit != nullptr) return SendMessage(s->edit, msg, 0, 0);
      return 0;
    case WM_SETTEXT:
      if (const ComboState* s = combo(hwnd); s->edit != nullptr) return SetWindowText(s->edit, reinterpret_cast<LPCWSTR>(lParam));
      return CB_ERR;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      if (const ComboState* s = combo(hwnd); s->edit != nullptr) return SendMessage(s->edit, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    default:
      if (msg >= CB_GETEDITSEL && msg <= CB_INITSTORAGE) return itemMessage(hwnd, msg, wParam, lParam);
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl
