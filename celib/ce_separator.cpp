#include "ce_separator.h"

#include "ce_hidpi.h"
#include "wince/gdi.h"
#include "wince/runtime.h"
#include "wince/window.h"

namespace {

HBRUSH g_separatorBrush = nullptr;

void paintSeparator(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  HPEN pen = CreatePen(PS_SOLID, HIDPI_ScaleX(2), GetSysColor(COLOR_HIGHLIGHT));
  HGDIOBJ old = SelectObject(dc, pen);
  Rectangle(dc, 0, 0, client.right, HIDPI_ScaleX(1));
  SelectObject(dc, old);
  DeleteObject(pen);
  EndPaint(window, &ps);
}

}  // namespace

void InitSeparator(int registerClass) {
  if (!registerClass) {
    UnregisterClass(kCeSeparatorClass, wince::programInstance());
    if (g_separatorBrush != nullptr) DeleteObject(g_separatorBrush);
    g_separatorBrush = nullptr;
    return;
  }
  if (g_separatorBrush == nullptr) g_separatorBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  WNDCLASSW wc{};
  wc.style = CS_HREDRAW;
  wc.lpfnWndProc = SeparatorProc;
  wc.hInstance = wince::programInstance();
  wc.hbrBackground = g_separatorBrush;
  wc.lpszClassName = kCeSeparatorClass;
  RegisterClass(&wc);
}

LRESULT CALLBACK SeparatorProc(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_PAINT) paintSeparator(window);
  return 0;
}
