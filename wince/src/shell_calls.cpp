// Shell calls with nothing to do on the desktop: they answer as the device
// would and record what they were asked.
#include "messagebox.h"
#include "shell_chrome.h"
#include "shell_menubar.h"
#include "shell_taskbar.h"
#include "shell_tray.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/shell.h"
#include "wince/system.h"

namespace {

wince::ShellState& state() {
  static wince::ShellState s;
  return s;
}

constexpr uintptr_t kKeyboardLayout = 0x04090409;

int visibleTop() { return state().taskBarHidden ? 0 : wince::deviceProfile().taskBarHeight; }

void applyFlag(DWORD state, DWORD show, DWORD hide, bool* hidden) {
  if (state & hide) *hidden = true;
  if (state & show) *hidden = false;
}

}  // namespace

const wince::ShellState& wince::shellState() { return state(); }

void wince::resetShell() {
  state() = ShellState{};
  detail::forgetSoftKeyBars();
  detail::forgetShellChrome();
  detail::forgetDoneButtons();
  detail::forgetTrayIcons();
  detail::clearMessageBoxLog();
}

BOOL SHFullScreen(HWND hwnd, DWORD flags) {
  if (!IsWindow(hwnd)) return FALSE;
  wince::ShellState& s = state();
  applyFlag(flags, SHFS_SHOWTASKBAR, SHFS_HIDETASKBAR, &s.taskBarHidden);
  applyFlag(flags, SHFS_SHOWSIPBUTTON, SHFS_HIDESIPBUTTON, &s.sipButtonHidden);
  applyFlag(flags, SHFS_SHOWSTARTICON, SHFS_HIDESTARTICON, &s.startIconHidden);
  s.fullScreenWindow = hwnd;
  wince::detail::taskBarChanged();
  return TRUE;
}

BOOL SHSipInfo(UINT action, UINT param, void* info, UINT winIni) {
  if (action == SPI_SETSIPINFO) return TRUE;
  if (action != SPI_GETSIPINFO || !info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto* sip = static_cast<SIPINFO*>(info);
  const wince::DeviceProfile& p = wince::deviceProfile();
  int bottom = wince::detail::softKeyBarTop();
  sip->fdwFlags = SIPF_DOCKED;
  sip->rcVisibleDesktop = {0, visibleTop(), p.screenWidth, bottom};
  sip->rcSipRect = {0, bottom, p.screenWidth, p.screenHeight};
  sip->dwImDataSize = 0;
  sip->pvImData = nullptr;
  return TRUE;
}

BOOL SHInitDialog(PSHINITDLGINFO info) {
  if (!info || !IsWindow(info->hDlg)) return FALSE;
  ++state().dialogsInitialised;
  if (!(info->dwMask & SHIDIM_FLAGS)) return TRUE;
  if (info->dwFlags & SHIDIF_DONEBUTTON) wince::detail::setDoneButton(info->hDlg, true);
  const wince::DeviceProfile& p = wince::deviceProfile();
  int top = visibleTop();
  if (info->dwFlags & SHIDIF_FULLSCREENNOMENUBAR) {
    MoveWindow(info->hDlg, 0, top, p.screenWidth, p.screenHeight - top, TRUE);
  } else if (info->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN)) {
    MoveWindow(info->hDlg, 0, top, p.screenWidth, p.screenHeight - p.menuBarHeight - top, TRUE);
  }
  return TRUE;
}

BOOL SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info, DWORD flags) {
  if (info) info->fActive = LOWORD(wParam) != WA_INACTIVE;
  return TRUE;
}

BOOL SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info) { return TRUE; }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (!init) return FALSE;
  state().commonControls |= init->dwICC;
  return TRUE;
}

int GXOpenInput() {
  state().gameInputOpen = true;
  return 1;
}

int GXCloseInput() {
  state().gameInputOpen = false;
  return 1;
}

LRESULT ImmEscape(HKL layout, HIMC context, UINT escape, LPVOID data) {
  if (escape != IME_ESC_SET_MODE) return 0;
  state().inputMode = static_cast<DWORD>(reinterpret_cast<uintptr_t>(data));
  return 1;
}

HKL GetKeyboardLayout(DWORD threadId) { return reinterpret_cast<HKL>(kKeyboardLayout); }

BOOL SHSipPreference(HWND hwnd, int sip) {
  if (!IsWindow(hwnd)) return FALSE;
  state().sipPreference = sip;
  return TRUE;
}

BOOL SHDoneButton(HWND hwnd, DWORD flags) {
  if (!IsWindow(hwnd)) return FALSE;
  state().doneButton = flags;
  if (flags & (SHDB_SHOW | SHDB_HIDE)) wince::detail::setDoneButton(hwnd, (flags & SHDB_SHOW) != 0);
  return TRUE;
}

DWORD SHRecognizeGesture(SHRGINFO* info) {
  if (info != nullptr) ++state().gesturesAsked;
  return 0;
}

BOOL SHSetNavBarText(HWND hwnd, LPCWSTR text) {
  if (!IsWindow(hwnd) || text == nullptr) return FALSE;
  state().navBarText = text;
  return TRUE;
}

int SHShowOutOfMemory(HWND, UINT) {
  ++state().outOfMemoryShown;
  return IDOK;
}
