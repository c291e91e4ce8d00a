#include "shell_chrome.h"

#include "shell_draw.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/window.h"
#include "window_internal.h"

namespace wince::detail {

namespace {

// The band's colours from its top row to its bottom row, and the rule above it.
constexpr COLORREF kBandTop = RGB(56, 84, 140);
constexpr COLORREF kBandBottom = RGB(12, 24, 56);
constexpr COLORREF kRule = RGB(120, 144, 192);
constexpr COLORREF kLabel = RGB(255, 255, 255);
constexpr COLORREF kDimLabel = RGB(128, 140, 168);
constexpr int kLabelPoints = 12;
constexpr int kTitlePad = 6;

bool g_titleDrawn = false;

COLORREF mix(COLORREF a, COLORREF b, int at, int of) {
  auto channel = [&](int x, int y) { return static_cast<BYTE>(x + (y - x) * at / (of > 0 ? of : 1)); };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

// The dark band both bars are made of, lighter at the top.
void paintBand(HDC hdc, const RECT& rect) {
  const int h = rect.bottom - rect.top;
  for (int y = 0; y < h; ++y) {
    fillSolid(hdc, {rect.left, rect.top + y, rect.right, rect.top + y + 1}, mix(kBandTop, kBandBottom, y, h - 1));
  }
}

RECT titleBarRect() { return RECT{0, 0, deviceProfile().screenWidth, deviceProfile().taskBarHeight}; }

void paintTitleBar(HWND window) {
  WCHAR title[128] = {};
  GetWindowText(window, title, 128);
  HDC hdc = GetDC(nullptr);
  if (hdc == nullptr) return;
  const RECT bar = titleBarRect();
  paintBand(hdc, bar);
  fillSolid(hdc, {bar.left, bar.bottom - 1, bar.right, bar.bottom}, kRule);
  HFONT font = makeUiFont(scaled(kLabelPoints), true);
  const RECT text{bar.left + scaled(kTitlePad), bar.top, bar.right - scaled(kTitlePad), bar.bottom - 1};
  drawLabel(hdc, text, title, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS, kLabel, font);
  DeleteObject(font);
  ReleaseDC(nullptr, hdc);
}

}  // namespace

bool smartphoneChrome() { return std::u16string_view(deviceProfile().platformType) == u"SmartPhone"; }

void paintSoftKeyBar(HDC hdc, const RECT& rect, const SoftKeyLabel& left, const SoftKeyLabel& right) {
  paintBand(hdc, rect);
  fillSolid(hdc, {rect.left, rect.top, rect.right, rect.top + 1}, kRule);
  const int middle = (rect.left + rect.right) / 2;
  const int inset = scaled(4);
  fillSolid(hdc, {middle, rect.top + inset, middle + 1, rect.bottom - inset}, kRule);
  HFONT font = makeUiFont(scaled(kLabelPoints), true);
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS;
  const RECT halves[2] = {{rect.left, rect.top + 1, middle, rect.bottom},
                          {middle + 1, rect.top + 1, rect.right, rect.bottom}};
  const SoftKeyLabel* labels[2] = {&left, &right};
  for (int side = 0; side < 2; ++side) {
    drawLabel(hdc, halves[side], labels[side]->text, format, labels[side]->enabled ? kLabel : kDimLabel, font);
  }
  DeleteObject(font);
}

void refreshShellChrome() {
  if (!smartphoneChrome()) return;
  HWND foreground = GetForegroundWindow();
  const bool title = !shellState().taskBarHidden && foreground != nullptr && IsWindowVisible(foreground);
  if (title) paintTitleBar(foreground);
  // The band is gone: what it covered is painted again.
  if (g_titleDrawn && !title) win::invalidateScreenArea(titleBarRect(), nullptr);
  g_titleDrawn = title;
}

void forgetShellChrome() { g_titleDrawn = false; }

}  // namespace wince::detail
