#include "shell_taskbar.h"

#include <algorithm>
#include <set>
#include <string>

#include "shell_draw.h"
#include "wince/controls.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/system.h"
#include "wince/window.h"

namespace wince::detail {

namespace {

constexpr COLORREF kBarTop = RGB(16, 72, 176);
constexpr COLORREF kBarBottom = RGB(0, 32, 112);
constexpr COLORREF kBarInk = RGB(255, 255, 255);

bool pocketPc() { return std::u16string(deviceProfile().platformType) == u"PocketPC"; }
bool taskBarShown() { return pocketPc() && !shellState().taskBarHidden; }

RECT strip() { return RECT{0, 0, deviceProfile().screenWidth, deviceProfile().taskBarHeight}; }

std::set<HWND>& doneButtons() {
  static std::set<HWND> windows;
  return windows;
}

// The active window when it shows the "ok" button; else null.
HWND doneWindow() {
  const HWND active = GetActiveWindow();
  return active != nullptr && doneButtons().count(active) != 0 && IsWindow(active) ? active : nullptr;
}

RECT okRect() {
  const RECT r = strip();
  const int inset = scaled(4);
  return RECT{r.right - scaled(34), r.top + inset, r.right - inset, r.bottom - inset};
}

void paintOk(HDC hdc, HFONT font) {
  const RECT ok = okRect();
  const int t = std::max(1, scaled(1));
  fillSolid(hdc, {ok.left, ok.top, ok.right, ok.top + t}, kBarInk);
  fillSolid(hdc, {ok.left, ok.bottom - t, ok.right, ok.bottom}, kBarInk);
  fillSolid(hdc, {ok.left, ok.top, ok.left + t, ok.bottom}, kBarInk);
  fillSolid(hdc, {ok.right - t, ok.top, ok.right, ok.bottom}, kBarInk);
  drawLabel(hdc, ok, u"ok", DT_CENTER | DT_VCENTER | DT_SINGLELINE, kBarInk, font);
}

// The title: the active window's, else that of its top-level owner chain.
std::u16string title() {
  for (HWND h = GetActiveWindow(); h != nullptr; h = GetWindow(h, GW_OWNER)) {
    WCHAR text[64] = {};
    if (GetWindowText(h, text, 64) > 0) return text;
  }
  return {};
}

std::u16string clock() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  std::u16string out;
  for (char c : std::to_string(now.wHour)) out.push_back(static_cast<char16_t>(c));
  out += u":";
  out.push_back(static_cast<char16_t>(u'0' + now.wMinute / 10));
  out.push_back(static_cast<char16_t>(u'0' + now.wMinute % 10));
  return out;
}

// Rows blended from the top colour to the bottom one.
void gradient(HDC hdc, const RECT& r) {
  const int h = r.bottom - r.top;
  for (int y = 0; y < h; ++y) {
    const auto mix = [&](int a, int b) { return static_cast<BYTE>(a + (b - a) * y / (h > 1 ? h - 1 : 1)); };
    const COLORREF c =
        RGB(mix(GetRValue(kBarTop), GetRValue(kBarBottom)), mix(GetGValue(kBarTop), GetGValue(kBarBottom)),
            mix(GetBValue(kBarTop), GetBValue(kBarBottom)));
    fillSolid(hdc, RECT{r.left, r.top + y, r.right, r.top + y + 1}, c);
  }
}

void paintTaskBar(HDC hdc) {
  const RECT r = strip();
  gradient(hdc, r);
  HFONT font = makeUiFont(scaled(12), true);
  const int pad = scaled(6);
  const std::u16string time = clock();
  const bool ok = doneWindow() != nullptr;
  if (ok) paintOk(hdc, font);
  const int right = ok ? okRect().left - pad : r.right - pad;
  const RECT timeRect{right - scaled(42), r.top, right, r.bottom};
  drawLabel(hdc, timeRect, time, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, kBarInk, font);
  const RECT titleRect{r.left + pad, r.top, timeRect.left - pad, r.bottom};
  drawLabel(hdc, titleRect, title(), DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS, kBarInk, font);
  DeleteObject(font);
}

}  // namespace

LRESULT CALLBACK desktopProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT || !taskBarShown()) return DefWindowProc(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  paintTaskBar(hdc);
  EndPaint(hwnd, &ps);
  return 0;
}

void taskBarChanged() {
  const HWND desktop = GetDesktopWindow();
  if (desktop == nullptr || !pocketPc() || deviceProfile().taskBarHeight <= 0) return;
  const RECT r = strip();
  InvalidateRect(desktop, &r, TRUE);
}

void setDoneButton(HWND hwnd, bool shown) {
  if (shown) {
    doneButtons().insert(hwnd);
  } else {
    doneButtons().erase(hwnd);
  }
  taskBarChanged();
}

void forgetDoneButtons() { doneButtons().clear(); }

bool taskBarStylus(UINT msg, POINT pt) {
  const RECT bar = strip();
  if (!taskBarShown() || !PtInRect(&bar, pt)) return false;
  const RECT ok = okRect();
  const HWND target = doneWindow();
  if (msg == WM_LBUTTONUP && target != nullptr && PtInRect(&ok, pt)) {
    PostMessage(target, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  return true;
}

}  // namespace wince::detail
