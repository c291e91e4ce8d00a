// The static control: text (left, centred or right, wrapped by words) or a
// bitmap, on the background its parent chooses.
#include "ctl_common.h"

namespace wince::ctl {

namespace {

struct StaticState : win::ControlState {
  HANDLE image{};
  int imageType = IMAGE_BITMAP;
};

void paintBitmap(HDC hdc, const RECT& client, HBITMAP bitmap, bool centre) {
  BITMAP bm{};
  if (bitmap == nullptr || GetObject(bitmap, sizeof bm, &bm) == 0) return;
  HDC mem = CreateCompatibleDC(hdc);
  HGDIOBJ old = SelectObject(mem, bitmap);
  const int x = centre ? (client.right - bm.bmWidth) / 2 : 0;
  const int y = centre ? (client.bottom - bm.bmHeight) / 2 : 0;
  BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void paint(HWND hwnd) {
  PaintScope p(hwnd);
  const DWORD style = styleOf(hwnd);
  HBRUSH brush = parentColours(hwnd, p.dc(), WM_CTLCOLORSTATIC);
  FillRect(p.dc(), &p.client(), brush);
  const DWORD type = style & SS_TYPEMASK;
  if (type == SS_BITMAP) {
    const StaticState* s = stateOf<StaticState>(hwnd);
    paintBitmap(p.dc(), p.client(), static_cast<HBITMAP>(s->image), (style & SS_CENTERIMAGE) != 0);
    return;
  }
  UINT format = DT_WORDBREAK;
  if (type == SS_CENTER) format = DT_CENTER | DT_WORDBREAK;
  if (type == SS_RIGHT) format = DT_RIGHT | DT_WORDBREAK;
  if (type == SS_LEFTNOWORDWRAP) format = DT_SINGLELINE;
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  const COLORREF ink = IsWindowEnabled(hwnd) ? GetTextColor(p.dc()) : kGreyInk;
  text(p.dc(), p.client(), textOf(hwnd), format, ink);
}

}  // namespace

LRESULT CALLBACK staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: paint(hwnd); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETTEXT: return setTextAndRepaint(hwnd, wParam, lParam);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_LBUTTONUP:
      // Statics that ask for it, and statics without an id, report taps.
      if ((styleOf(hwnd) & SS_NOTIFY) || static_cast<WORD>(GetDlgCtrlID(hwnd)) == 0xFFFF) sendCommand(hwnd, STN_CLICKED);
      return 0;
    case STM_SETIMAGE: {
      StaticState* s = stateOf<StaticState>(hwnd);
      HANDLE old = s->image;
      s->imageType = static_cast<int>(wParam);
      s->image = reinterpret_cast<HANDLE>(lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE: return reinterpret_cast<LRESULT>(stateOf<StaticState>(hwnd)->image);
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace wince::ctl
