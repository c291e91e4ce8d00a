// Default message handling.
#include <algorithm>

#include "wince/gdi.h"
#include "shell_taskbar.h"
#include "window_internal.h"

namespace wince::win {

namespace {

// A class brush may be a system colour index plus one.
HBRUSH resolveBrush(HBRUSH brush) {
  const auto value = reinterpret_cast<uintptr_t>(brush);
  if (value != 0 && value <= COLOR_STATICTEXT + 1) return GetSysColorBrush(static_cast<int>(value) - 1);
  return brush;
}

LRESULT eraseBackground(HWND hwnd, HDC hdc) {
  Window* w = find(hwnd);
  if (w == nullptr || hdc == nullptr) return 0;
  HBRUSH brush = resolveBrush(w->cls->wc.hbrBackground);
  if (brush == nullptr) return 0;
  RECT client{};
  GetClientRect(hwnd, &client);
  if (isDesktop(hwnd)) client = screenRect();
  FillRect(hdc, &client, brush);
  return 1;
}

LRESULT copyText(const Window* w, WPARAM size, LPARAM buffer) {
  auto* out = reinterpret_cast<WCHAR*>(buffer);
  if (out == nullptr || size == 0) return 0;
  const size_t n = std::min(w->text.size(), static_cast<size_t>(size) - 1);
  std::copy_n(w->text.data(), n, out);
  out[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT controlColour(HDC hdc) {
  if (hdc != nullptr) {
    SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(hdc, GetSysColor(COLOR_WINDOW));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

}  // namespace

}  // namespace wince::win

using namespace wince::win;

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = find(hwnd);
  if (w == nullptr) return 0;
  switch (msg) {
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const WCHAR*>(lParam);
      w->text = text != nullptr ? text : u"";
      if (isTopLevel(w)) wince::detail::taskBarChanged();  // the title it shows may be this one
      if (titleRowOf(w->style, w->rect.right - w->rect.left) > 0) drawFrame(hwnd);
      return TRUE;
    }
    case WM_GETTEXT: return copyText(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_SETREDRAW:
      w->redraw = wParam != 0;
      return 0;
    case WM_SETICON: {
      HICON& slot = w->icons[wParam != 0 ? 1 : 0];
      HICON old = slot;
      slot = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(w->icons[wParam != 0 ? 1 : 0]);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(hwnd);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return controlColour(reinterpret_cast<HDC>(wParam));
    default: return 0;
  }
}
