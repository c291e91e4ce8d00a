#include "ce_draw.h"

#include <algorithm>

#include "ce_hidpi.h"
#include "wince/shell.h"
#include "wince/window.h"

RECT rcBlank = {0, 0, 0, 0};

namespace {

// Top of item `id` in the dialog's client coordinates, or false when any
// of the three is missing.
bool separatorTop(HWND dialog, HDC dc, int id, int& y) {
  if (dialog == nullptr || dc == nullptr) return false;
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return false;
  RECT r;
  GetWindowRect(item, &r);
  POINT top{r.left, r.top};
  ScreenToClient(dialog, &top);
  y = top.y;
  return true;
}

// Colour k/d of the way from `to` back to `from`, per channel.
COLORREF blend(COLORREF from, COLORREF to, int k, int d) {
  auto channel = [&](int shift) {
    const int f = static_cast<int>((from >> shift) & 0xFF), t = static_cast<int>((to >> shift) & 0xFF);
    return static_cast<COLORREF>(t + (f - t) * k / d) << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

}  // namespace

void DrawLine(HDC dc, RECT& r, HPEN pen) {
  HPEN own = pen == nullptr ? CreatePen(PS_SOLID, HIDPI_ScaleX(2), RGB(0, 0, 0)) : nullptr;
  HGDIOBJ old = SelectObject(dc, pen != nullptr ? pen : own);
  const POINT line[2] = {{r.left, r.top}, {r.right, r.bottom}};
  Polyline(dc, line, 2);
  SelectObject(dc, old);
  if (own != nullptr) DeleteObject(own);
}

void DrawSeparator(HWND dialog, HDC dc, int id) {
  int y;
  if (!separatorTop(dialog, dc, id, y)) return;
  RECT window;
  GetWindowRect(dialog, &window);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_SCROLLBAR));
  HGDIOBJ old = SelectObject(dc, pen);
  Rectangle(dc, -1, y - 6, window.right - window.left, y - 5);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void DrawThickSeparator(HWND dialog, HDC dc, int id) {
  int y;
  if (!separatorTop(dialog, dc, id, y)) return;
  HGDIOBJ old = SelectObject(dc, GetStockObject(DKGRAY_BRUSH));
  Rectangle(dc, -1, y - 5, 241, y - 3);
  SelectObject(dc, old);
}

void PaintRect(HDC dc, int x, int y, int cx, int cy, COLORREF color) {
  const RECT r{x, y, x + cx, y + cy};
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void GradientFillRectEx(HDC dc, const RECT* r, COLORREF from, COLORREF to, int steps, bool horizontal) {
  if (r == nullptr || IsRectEmpty(r)) return;
  const int width = r->right - r->left, height = r->bottom - r->top;
  const int d = 5 * (horizontal ? width : height) / 6;
  const int quotient = d / std::max(steps, 1);
  const int band = quotient < 2 ? 1 : quotient;
  // Paints `thickness` pixels starting `offset` pixels in from the start edge.
  auto paint = [&](int offset, int thickness, COLORREF color) {
    if (horizontal)
      PaintRect(dc, r->left + offset, r->top, thickness, height, color);
    else
      PaintRect(dc, r->left, r->top + offset, width, thickness, color);
  };
  paint(d, (horizontal ? width : height) - d, to);
  int f = d;
  while (band < f) {
    f -= band;
    paint(f, band, blend(from, to, d - f, d));
  }
  paint(0, f, from);
}

void GradientFillRect(HDC dc, const RECT* r, COLORREF from, COLORREF to) {
  GradientFillRectEx(dc, r, from, to, 32, true);
}

void DrawSubtleGradient(const RECT* r, HDC dc, COLORREF from, COLORREF to) {
  if (r == nullptr) return;
  const int height = r->bottom - r->top;
  const int q = static_cast<int>(height * 0.75);
  GradientFillRectEx(dc, r, from, to, q, false);
  PaintRect(dc, r->left, r->top + q, r->right - r->left, height - q, to);
}

void SetGradientColor(COLORREF color, int& red, int& green, int& blue) {
  const int amount = g_HIDPI_IconPixels == 16 ? 66 : 50;
  red = std::max(static_cast<int>(GetRValue(color)) - amount, 0);
  green = std::max(static_cast<int>(GetGValue(color)) - amount, 0);
  blue = std::max(static_cast<int>(GetBValue(color)) - amount, 0);
}

int ShadeRect(HDC dc, RECT* r) {
  if (r == nullptr) return 1;
  if (r->left % 2 == 0) --r->left;
  if (r->top % 2 != 0) --r->top;
  const int width = r->right - r->left + 1, height = r->bottom - r->top + 1;
  // Rows are WORD-aligned: the pattern byte, then padding.
  static const BYTE kChecker[16] = {0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0};
  HBITMAP checker = CreateBitmap(8, 8, 1, 1, kChecker);
  HBRUSH brush = CreatePatternBrush(checker);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dc, RGB(0x9B, 0x9B, 0x9B));
  const int oldMode = SetBkMode(dc, OPAQUE);
  PatBlt(dc, r->left, r->top, width, height, PATINVERT);
  SetBkMode(dc, oldMode);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
  SelectObject(dc, oldBrush);
  DeleteObject(brush);
  DeleteObject(checker);
  return 1;
}

void PositionHeader(HWND listView) {
  const auto style = static_cast<DWORD>(GetWindowLong(listView, GWL_STYLE));
  SetWindowLong(listView, GWL_STYLE, static_cast<LONG>(style | LVS_NOSCROLL));
  if ((style & LVS_TYPEMASK) != LVS_REPORT) return;
  HWND header = GetWindow(listView, GW_CHILD);
  if (header == nullptr) return;
  RECT client;
  GetClientRect(listView, &client);
  WINDOWPOS pos{};
  HDLAYOUT layout{&client, &pos};
  if (!SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout))) return;
  SetWindowPos(header, pos.hwndInsertAfter, pos.x, pos.y, pos.cx, pos.cy, pos.flags | SWP_SHOWWINDOW);
  SendMessage(listView, LVM_ENSUREVISIBLE, 0, 0);
}
