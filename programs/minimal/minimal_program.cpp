#include "minimal_program.h"

namespace minimal {

namespace {

const Look* g_look = nullptr;

void paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  HBRUSH brush = CreateSolidBrush(g_look->background);
  FillRect(hdc, &rc, brush);
  DeleteObject(brush);
  WCHAR title[128] = {};
  GetWindowText(hwnd, title, 128);
  LOGFONT lf{};
  lf.lfHeight = -GetSystemMetrics(SM_CXSCREEN) / 12;
  lf.lfWeight = FW_BOLD;
  wcscpy(lf.lfFaceName, u"Tahoma");
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ old = SelectObject(hdc, font);
  SetTextColor(hdc, g_look->text);
  SetBkMode(hdc, TRANSPARENT);
  DrawText(hdc, title, -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  SelectObject(hdc, old);
  DeleteObject(font);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      paint(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int run(HINSTANCE instance, int showCommand, const Look& look) {
  g_look = &look;
  WCHAR className[128] = {};
  WCHAR title[128] = {};
  LoadString(instance, look.classStringId, className, 128);
  LoadString(instance, look.titleStringId, title, 128);
  WNDCLASS wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = className;
  if (!RegisterClass(&wc)) return 1;
  HWND hwnd = CreateWindowEx(0, className, title, WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace minimal
