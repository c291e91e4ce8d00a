// Icons in the notification area. Taps on them come back to the window as
// message kCeTrayCallbackMessage; the tip text is not shown.
#pragma once

#include "wince/types.h"

constexpr UINT kCeTrayCallbackMessage = 3025;

// Shell_NotifyIcon(message) for the window's icon `id`; its result.
int TrayMessage(HWND window, DWORD message, UINT id, HICON icon, const WCHAR* tip);
int TrayIconAdd(HWND window, UINT id, HICON icon, const WCHAR* tip);
int TrayIconModify(HWND window, UINT id, HICON icon, const WCHAR* tip);
int TrayIconDelete(HWND window, UINT id, HICON icon, const WCHAR* tip);
