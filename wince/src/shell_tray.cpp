// The notification area: icons recorded by window and id, nothing drawn.
#include <algorithm>
#include <iterator>

#include "shell_tray.h"
#include "wince/host/shell.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace {

std::vector<wince::TrayIcon>& icons() {
  static std::vector<wince::TrayIcon> list;
  return list;
}

std::vector<wince::TrayIcon>::iterator findIcon(HWND window, UINT id) {
  return std::find_if(icons().begin(), icons().end(),
                      [&](const wince::TrayIcon& t) { return t.window == window && t.id == id; });
}

void takeFields(wince::TrayIcon& icon, const NOTIFYICONDATAW& data) {
  if (data.uFlags & NIF_MESSAGE) icon.callbackMessage = data.uCallbackMessage;
  if (data.uFlags & NIF_ICON) icon.icon = data.hIcon;
  if (data.uFlags & NIF_TIP) {
    const WCHAR* end = std::find(data.szTip, data.szTip + std::size(data.szTip), u'\0');
    icon.tip.assign(data.szTip, end);
  }
}

}  // namespace

BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATAW data) {
  if (data == nullptr || message > NIM_DELETE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto at = findIcon(data->hWnd, data->uID);
  const bool shown = at != icons().end();
  if (shown == (message == NIM_ADD)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  switch (message) {
    case NIM_ADD:
      takeFields(icons().emplace_back(wince::TrayIcon{data->hWnd, data->uID, 0, nullptr, {}}), *data);
      break;
    case NIM_MODIFY:
      takeFields(*at, *data);
      break;
    default:
      icons().erase(at);
      break;
  }
  return TRUE;
}

const std::vector<wince::TrayIcon>& wince::trayIcons() { return icons(); }

void wince::detail::forgetTrayIcons() { icons().clear(); }
