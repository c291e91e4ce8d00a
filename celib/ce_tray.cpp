#include "ce_tray.h"

#include "wince/shell.h"

int TrayMessage(HWND window, DWORD message, UINT id, HICON icon, const WCHAR*) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = id;
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = kCeTrayCallbackMessage;
  data.hIcon = icon;
  return Shell_NotifyIcon(message, &data);
}

int TrayIconAdd(HWND window, UINT id, HICON icon, const WCHAR* tip) {
  return TrayMessage(window, NIM_ADD, id, icon, tip);
}

int TrayIconModify(HWND window, UINT id, HICON icon, const WCHAR* tip) {
  return TrayMessage(window, NIM_MODIFY, id, icon, tip);
}

int TrayIconDelete(HWND window, UINT id, HICON icon, const WCHAR* tip) {
  return TrayMessage(window, NIM_DELETE, id, icon, tip);
}
