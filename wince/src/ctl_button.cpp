// The button control: push buttons (the default one with a heavier rim),
// check boxes (two or three states), radio buttons, group boxes and buttons
// their owner draws. A tap, Space or BM_CLICK clicks; auto kinds change
// their own state first, then the parent hears BN_CLICKED.
#include <algorithm>

#include "ctl_common.h"
#include "wince/text.h"

namespace wince::ctl {

namespace {

struct ButtonState : win::ControlState {
  UINT check = BST_UNCHECKED;
  bool pushed = false;    // drawn pressed
  bool tracking = false;  // the stylus went down on the button
  bool spaceDown = false;
};

DWORD kindOf(HWND hwnd) { return styleOf(hwnd) & BS_TYPEMASK; }
bool isRadio(DWORD kind) { return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON; }
bool isCheck(DWORD kind) { return kind >= BS_CHECKBOX && kind <= BS_AUTO3STATE && kind != BS_RADIOBUTTON; }
bool isPush(DWORD kind) { return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON; }

void setCheck(HWND hwnd, UINT check) {
  ButtonState* s = stateOf<ButtonState>(hwnd);
  if (s == nullptr || s->check == check) return;
  s->check = check;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void setPushed(HWND hwnd, bool pushed) {
  ButtonState* s = stateOf<ButtonState>(hwnd);
  if (s == nullptr || s->pushed == pushed) return;
  s->pushed = pushed;
  InvalidateRect(hwnd, nullptr, FALSE);
}

// The other auto radio buttons of this one's group lose their check.
void uncheckGroup(HWND hwnd) {
  HWND first = hwnd;
  while (!(styleOf(first) & WS_GROUP)) {
    const HWND prev = GetWindow(first, GW_HWNDPREV);
    if (prev == nullptr) break;
    first = prev;
  }
  for (HWND h = first; h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h != first && (styleOf(h) & WS_GROUP)) break;
    if (h == hwnd) continue;
    WCHAR cls[8] = {};
    GetClassName(h, cls, 8);
    if (_wcsicmp(cls, u"BUTTON") == 0 && kindOf(h) == BS_AUTORADIOBUTTON) setCheck(h, BST_UNCHECKED);
  }
}

void click(HWND hwnd) {
  ButtonState* s = stateOf<ButtonState>(hwnd);
  if (s == nullptr) return;
  switch (kindOf(hwnd)) {
    case BS_AUTOCHECKBOX: setCheck(hwnd, s->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: setCheck(hwnd, (s->check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      setCheck(hwnd, BST_CHECKED);
      uncheckGroup(hwnd);
      break;
    default: break;
  }
  sendCommand(hwnd, BN_CLICKED);
}

bool focusOnPushButton() {
  const HWND focus = GetFocus();
  if (focus == nullptr) return false;
  WCHAR cls[8] = {};
  GetClassName(focus, cls, 8);
  return _wcsicmp(cls, u"BUTTON") == 0 && isPush(kindOf(focus));
}

// The default button wears the heavy rim unless another push button has the
// focus, which then wears it.
void drawPush(HWND hwnd, HDC hdc, const RECT& r, const ButtonState& s) {
  const int t = std::max(1, px(1));
  const bool def = GetFocus() == hwnd || (kindOf(hwnd) == BS_DEFPUSHBUTTON && !focusOnPushButton());
  fill(hdc, r, s.pushed ? kInk : kFace);
  frame(hdc, r, kInk, def ? 2 * t : t);
  COLORREF ink = s.pushed ? kPaper : kInk;
  if (!IsWindowEnabled(hwnd)) ink = kGreyInk;
  text(hdc, r, textOf(hwnd), DT_CENTER | DT_VCENTER | DT_SINGLELINE, ink);
  if (GetFocus() == hwnd && !s.pushed) {
    RECT f{r.left + 3 * t, r.top + 3 * t, r.right - 3 * t, r.bottom - 3 * t};
    focusFrame(hdc, f);
  }
}

void drawCheckMark(HDC hdc, const RECT& box, COLORREF color) {
  const int w = box.right - box.left;
  const int t = std::max(1, px(2));
  HPEN pen = CreatePen(PS_SOLID, t, color);
  HGDIOBJ old = SelectObject(hdc, pen);
  const POINT pts[3] = {{box.left + w * 2 / 10, box.top + w * 5 / 10},
                        {box.left + w * 4 / 10, box.top + w * 7 / 10},
                        {box.left + w * 8 / 10, box.top + w * 3 / 10}};
  Polyline(hdc, pts, 3);
  SelectObject(hdc, old);
  DeleteObject(pen);
}

// The text of a check box or radio button, right of its mark.
void drawMarkText(HWND hwnd, HDC hdc, const RECT& client, int markRight) {
  RECT tr{markRight + px(5), client.top, client.right, client.bottom};
  const COLORREF ink = IsWindowEnabled(hwnd) ? GetTextColor(hdc) : kGreyInk;
  const std::u16string label = textOf(hwnd);
  text(hdc, tr, label, DT_VCENTER | DT_SINGLELINE, ink);
  if (GetFocus() != hwnd || label.empty()) return;
  RECT calc = tr;
  DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  const int h = calc.bottom - calc.top;
  const int top = (client.top + client.bottom - h) / 2;
  focusFrame(hdc, {tr.left - px(2), top - 1, std::min<LONG>(calc.right + px(2), client.right), top + h + 1});
}

void drawCheck(HWND hwnd, HDC hdc, const RECT& r, const ButtonState& s) {
  const int size = px(13);
  const int top = (r.top + r.bottom - size) / 2;
  const RECT box{r.left, top, r.left + size, top + size};
  fill(hdc, box, s.pushed || s.check == BST_INDETERMINATE ? kFace : kPaper);
  frame(hdc, box, IsWindowEnabled(hwnd) ? kInk : kGreyInk, std::max(1, px(1)));
  if (s.check != BST_UNCHECKED) drawCheckMark(hdc, box, s.check == BST_CHECKED ? kInk : kGreyInk);
  drawMarkText(hwnd, hdc, r, box.right);
}

void drawRadio(HWND hwnd, HDC hdc, const RECT& r, const ButtonState& s) {
  const int size = px(13);
  const int top = (r.top + r.bottom - size) / 2;
  HPEN pen = CreatePen(PS_SOLID, std::max(1, px(1)), IsWindowEnabled(hwnd) ? kInk : kGreyInk);
  HBRUSH face = CreateSolidBrush(s.pushed ? kFace : kPaper);
  HGDIOBJ oldPen = SelectObject(hdc, pen);
  HGDIOBJ oldBrush = SelectObject(hdc, face);
  RoundRect(hdc, r.left, top, r.left + size, top + size, size, size);
  if (s.check == BST_CHECKED) {
    const int in = size * 3 / 10;
    SelectObject(hdc, GetStockObject(BLACK_BRUSH));
    SelectObject(hdc, GetStockObject(NULL_PEN));
    RoundRect(hdc, r.left + in, top + in, r.left + size - in + 1, top + size - in + 1, size - 2 * in, size - 2 * in);
  }
  SelectObject(hdc, oldBrush);
  SelectObject(hdc, oldPen);
  DeleteObject(face);
  DeleteObject(pen);
  drawMarkText(hwnd, hdc, r, r.left + size);
}

void drawGroup(HWND hwnd, HDC hdc, const RECT& r) {
  const std::u16string label = textOf(hwnd);
  RECT calc{0, 0, 0, 0};
  DrawText(hdc, label.c_str(), static_cast<int>(label.size()), &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  const int h = calc.bottom - calc.top;
  const int t = std::max(1, px(1));
  frame(hdc, {r.left, r.top + h / 2, r.right, r.bottom}, kLine, t);
  if (label.empty()) return;
  RECT tr{r.left + px(6), r.top, r.left + px(10) + calc.right, r.top + h};
  FillRect(hdc, &tr, reinterpret_cast<HBRUSH>(GetCurrentObject(hdc, OBJ_BRUSH)));
  tr.left += px(2);
  text(hdc, tr, label, DT_SINGLELINE, IsWindowEnabled(hwnd) ? GetTextColor(hdc) : kGreyInk);
}

void drawOwner(HWND hwnd, HDC hdc, const RECT& r, const ButtonState& s) {
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = (s.pushed ? ODS_SELECTED : 0) | (GetFocus() == hwnd ? ODS_FOCUS : 0) |
                  (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
  dis.hwndItem = hwnd;
  dis.hDC = hdc;
  dis.rcItem = r;
  SendMessage(GetParent(hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const ButtonState* s = stateOf<ButtonState>(hwnd);
  const DWORD kind = kindOf(hwnd);
  if (kind == BS_OWNERDRAW) {
    drawOwner(hwnd, p.dc(), p.client(), *s);
    return;
  }
  HBRUSH brush = parentColours(hwnd, p.dc(), isPush(kind) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
  HGDIOBJ oldBrush = SelectObject(p.dc(), brush);
  if (kind != BS_GROUPBOX) FillRect(p.dc(), &p.client(), brush);  // a group box shows what it holds
  if (isPush(kind)) drawPush(hwnd, p.dc(), p.client(), *s);
  if (isCheck(kind)) drawCheck(hwnd, p.dc(), p.client(), *s);
  if (isRadio(kind)) drawRadio(hwnd, p.dc(), p.client(), *s);
  if (kind == BS_GROUPBOX) drawGroup(hwnd, p.dc(), p.client());
  SelectObject(p.dc(), oldBrush);
}

LRESULT dialogCode(HWND hwnd) {
  const DWORD kind = kindOf(hwnd);
  if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (kind == BS_PUSHBUTTON || kind == BS_OWNERDRAW) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (isRadio(kind)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  if (kind == BS_GROUPBOX) return DLGC_STATIC;
  return DLGC_BUTTON;
}

LRESULT stylus(HWND hwnd, UINT msg, LPARAM lParam) {
  ButtonState* s = stateOf<ButtonState>(hwnd);
  if (kindOf(hwnd) == BS_GROUPBOX) return 0;
  RECT rc;
  GetClientRect(hwnd, &rc);
  const bool inside = PtInRect(&rc, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0;
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    s = stateOf<ButtonState>(hwnd);
    if (s == nullptr) return 0;
    s->tracking = true;
    setPushed(hwnd, true);
  } else if (msg == WM_MOUSEMOVE && s->tracking) {
    setPushed(hwnd, inside);
  } else if (msg == WM_LBUTTONUP && s->tracking) {
    s->tracking = false;
    ReleaseCapture();
    setPushed(hwnd, false);
    if (inside) click(hwnd);
  }
  return 0;
}

LRESULT key(HWND hwnd, UINT msg, WPARAM vk) {
  ButtonState* s = stateOf<ButtonState>(hwnd);
  if (vk != VK_SPACE || kindOf(hwnd) == BS_GROUPBOX) return 0;
  if (msg == WM_KEYDOWN) {
    s->spaceDown = true;
    setPushed(hwnd, true);
  } else if (s->spaceDown) {
    s->spaceDown = false;
    setPushed(hwnd, false);
    click(hwnd);
  }
  return 0;
}

void focusChanged(HWND hwnd, bool gained) {
  if (!gained) {
    ButtonState* s = stateOf<ButtonState>(hwnd);
    s->spaceDown = false;
    setPushed(hwnd, false);
  }
  InvalidateRect(hwnd, nullptr, FALSE);
  if (isPush(kindOf(hwnd))) {  // the default button's rim may move
    for (HWND h = GetWindow(hwnd, GW_HWNDFIRST); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
      if (h != hwnd && kindOf(h) == BS_DEFPUSHBUTTON) InvalidateRect(h, nullptr, FALSE);
    }
  }
  if (styleOf(hwnd) & BS_NOTIFY) sendCommand(hwnd, gained ? BN_SETFOCUS : BN_KILLFOCUS);
}

}  // namespace

LRESULT CALLBACK buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      if (win::Window* w = win::find(hwnd)) w->stylusTransparent = kindOf(hwnd) == BS_GROUPBOX;
      return 0;
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: return setTextAndRepaint(hwnd, wParam, lParam);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return dialogCode(hwnd);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: return stylus(hwnd, msg, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP: return key(hwnd, msg, wParam);
    case WM_SETFOCUS: focusChanged(hwnd, true); return 0;
    case WM_KILLFOCUS: focusChanged(hwnd, false); return 0;
    case WM_CANCELMODE:
      if (ButtonState* s = stateOf<ButtonState>(hwnd); s != nullptr && s->tracking) {
        s->tracking = false;
        ReleaseCapture();
        setPushed(hwnd, false);
      }
      return 0;
    case BM_GETCHECK: return stateOf<ButtonState>(hwnd)->check;
    case BM_SETCHECK: setCheck(hwnd, static_cast<UINT>(wParam) & 3); return 0;
    case BM_GETSTATE: {
      const ButtonState* s = stateOf<ButtonState>(hwnd);
      return s->check | (s->pushed ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0);
    }
    case BM_SETSTATE: setPushed(hwnd, wParam != 0); return 0;
    case BM_SETSTYLE:
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG_PTR>((styleOf(hwnd) & ~0xFFFFu) | (wParam & 0xFFFF)));
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case BM_CLICK: click(hwnd); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl

using namespace wince::ctl;

UINT IsDlgButtonChecked(HWND dlg, int id) { return static_cast<UINT>(SendDlgItemMessage(dlg, id, BM_GETCHECK, 0, 0)); }

BOOL CheckDlgButton(HWND dlg, int id, UINT check) {
  HWND item = GetDlgItem(dlg, id);
  if (item == nullptr) return FALSE;
  SendMessage(item, BM_SETCHECK, check, 0);
  return TRUE;
}
