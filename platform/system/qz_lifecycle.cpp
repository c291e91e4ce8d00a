#include "qz_lifecycle.h"

#include <algorithm>
#include <cstring>

#include "qz_app_bridge.h"
#include "qz_display.h"
#include "qz_startup.h"
#include "wince/resource.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/text.h"

namespace {

struct FullScreenState {
  uint8_t requested = 0;
  uint8_t applied = 0;
  uint8_t used = 0;
  RECT rect{};
  uint8_t dialogDepth = 0;
  int savedBeforeDialog = 0;
};

FullScreenState& fs() {
  static FullScreenState s;
  return s;
}

void placeMainWindow() {
  const RECT& r = fs().rect;
  if (HWND main = QZGetMainWindow()) {
    SetWindowPos(main, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOREDRAW);
  }
}

int showBox(const char16_t* text, const char16_t* title, UINT flags) {
  return MessageBox(QZGetMainWindow(), text, title, flags);
}

constexpr int kAlertMenuBarId = 7832;

// An alert's answer, whichever form showed it: 0 OK or Yes, 1 Cancel or No.
uint16_t answerOf(int button) {
  switch (button) {
    case IDOK:
    case IDYES: return 0;
    case IDCANCEL:
    case IDNO: return 1;
    default: return 0xFFFF;
  }
}

// Centres the dialog over its parent's client area; a dialog larger than
// that area keeps to its top-left corner.
void centreOverParent(HWND dialog) {
  HWND parent = GetParent(dialog);
  if (!parent) return;
  RECT client{}, own{};
  GetClientRect(parent, &client);
  GetWindowRect(dialog, &own);
  POINT origin{0, 0};
  ClientToScreen(parent, &origin);
  const int x = std::max(0, (client.right - (own.right - own.left)) / 2);
  const int y = std::max(0, (client.bottom - (own.bottom - own.top)) / 2);
  SetWindowPos(dialog, nullptr, origin.x + x, origin.y + y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK alertDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      centreOverParent(dialog);
      SHFullScreen(dialog, SHFS_SHOWTASKBAR);
      QZCreateMenuBar(dialog, kAlertMenuBarId);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace

int QZSetFullScreen(int on) {
  const int previous = fs().requested;
  if (on) fs().used = 1;
  QZSetFullScreenMode(on);
  fs().requested = on ? 1 : 0;
  return previous;
}

int QZIsFullScreen() { return fs().requested; }
int QZIsFullScreenApplied() { return fs().applied; }
int QZIsFullScreenUsed() { return fs().used; }

void QZLeaveFullScreen() {
  if (fs().used) QZSetFullScreenMode(0);
}

void QZRefreshFullScreen() {
  if (fs().used && GetForegroundWindow() == QZGetMainWindow()) QZSetFullScreenMode(fs().requested);
}

void QZEndFullScreen() {
  if (fs().applied) QZSetFullScreenMode(0);
}

void QZSetFullScreenMode(int on) {
  FullScreenState& s = fs();
  if (!s.used) return;
  HWND main = QZGetMainWindow();
  HWND bar = QZGetMenuBarWindow();
  if (on) {
    QZRefreshFullScreenRect();
    placeMainWindow();
    if (main) SHFullScreen(main, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
    s.applied = 1;
    if (bar) SetWindowPos(bar, nullptr, -1, -1, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    s.used = 0;
    placeMainWindow();
    if (main) SHFullScreen(main, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON);
    s.applied = 0;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const int barHeight = QZGetMenuBarHeight();
    if (bar) SetWindowPos(bar, nullptr, 0, height - barHeight, width, barHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  QZRelayoutScreen();
}

void QZRefreshFullScreenRect() {
  RECT work;
  if (SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0)) {
    fs().rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
}

void QZResetFullScreenState() { fs() = FullScreenState{}; }

int QZDialogHook(int value, int phase) {
  FullScreenState& s = fs();
  if (phase == 0) {
    if (s.dialogDepth == 0) s.savedBeforeDialog = QZSetFullScreen(0);
    ++s.dialogDepth;
  } else if (phase == 2 && s.dialogDepth > 0) {
    if (s.dialogDepth-- == 1) return QZSetFullScreen(s.savedBeforeDialog);
  }
  return value;
}

uint16_t QZErrorAlertId(int16_t code) {
  switch (code) {
    case -2: return 4005;
    case -7: return 4009;
    case -9: return 4007;
    case -10: return 4008;
    case -11:
    case -16: return 0;
    case -17: return 4010;
    default: return 4006;
  }
}

int QZOnError(int16_t code) {
  if (QZCallOnError(code) != 2) return 1;
  const uint16_t alert = QZErrorAlertId(code);
  if (alert) QZAlert(alert);
  return alert == 4006 ? 2 : 1;
}

bool QZParseAlert(const std::u16string& source, QZAlertText* out) {
  std::u16string fields[4];
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t bar = i < 3 ? source.find(u'|', start) : source.size();
    if (bar == std::u16string::npos) return false;
    fields[i] = source.substr(start, bar - start);
    start = bar + 1;
  }
  uint32_t flags = MB_SETFOREGROUND;
  if (fields[0] == u"CONFIRMATION") flags |= MB_ICONQUESTION;
  else if (fields[0] == u"WARNING") flags |= MB_ICONEXCLAMATION;
  else if (fields[0] == u"ERROR") flags |= MB_ICONHAND;
  else if (fields[0] == u"INFORMATION") flags |= MB_ICONASTERISK;
  if (fields[3] == u"OKCancel") flags |= MB_OKCANCEL;
  else if (fields[3] == u"YesNo") flags |= MB_YESNO;
  *out = QZAlertText{fields[1], fields[2], flags};
  return true;
}

uint16_t QZAlert(uint16_t id) {
  const HINSTANCE instance = QZGetInstance();
  if (FindResource(instance, MAKEINTRESOURCE(id), RT_DIALOG)) {
    const INT_PTR result = DialogBoxParam(instance, MAKEINTRESOURCE(id), QZGetMainWindow(), alertDialogProc, 0);
    if (result != -1) return answerOf(static_cast<int>(result));
  }
  WCHAR buffer[1001] = {};
  const int length = LoadString(instance, id, buffer, 1001);
  QZAlertText alert;
  if (length <= 0 || !QZParseAlert(std::u16string(buffer, static_cast<size_t>(length)), &alert)) return 0xFFFF;
  return answerOf(showBox(alert.text.c_str(), alert.title.c_str(), alert.flags));
}

int QZShowApplicationMessage(const char16_t* text) {
  return showBox(text, u"Application Message", MB_TOPMOST | MB_SETFOREGROUND);
}

int QZShowBuildDetails(const char16_t* first, const char16_t* second) {
  WCHAR text[512];
  _snwprintf(text, 512, u"Dovel Build:\n%s\n%s\n\nApplication Build:\n%s\n%s", u"15:25:31", u"Jul 12 2007", second, first);
  return showBox(text, u"Build Details", MB_TOPMOST);
}

bool QZIsSmartphone() { return (QZGetDeviceType() >> 8) == QZ_DEVICE_FAMILY_SMARTPHONE; }

uint16_t QZGetOSVersionCode() {
  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionEx(&version);
  if (QZIsOSVersionAtLeast(4, 20)) return 771;
  return version.dwBuildNumber > 11170 ? 770 : 768;
}

bool QZIsOSVersionAtLeast(uint32_t major, uint32_t minor) {
  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionEx(&version)) return false;
  return version.dwMajorVersion > major || (version.dwMajorVersion == major && version.dwMinorVersion >= minor);
}

int QZIsOEMDevice(const char16_t* name, int show) {
  WCHAR info[101] = {};
  SystemParametersInfo(SPI_GETOEMINFO, 100 * sizeof(WCHAR), info, 0);
  if (show) QZShowApplicationMessage(info);
  return std::u16string(info) == name ? 1 : 0;
}
