#include "qz_system.h"

#include <cstdlib>

#include <string>
#include <vector>

#include "qz_lifecycle.h"
#include "qz_preferences.h"
#include "qz_startup.h"
#include "wince/clock.h"
#include "wince/file.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/window.h"

uint32_t QZGetTicks() { return GetTickCount() / 10; }

int QZRandom(int n) { return n == 0 ? 0 : std::rand() % n; }

void QZSeedRandom(uint32_t seed) { std::srand(seed); }

uint16_t QZLanguageFromPrimary(int primaryLanguage) {
  switch (primaryLanguage) {
    case 7: return 1031;
    case 10: return 1034;
    case 12: return 1036;
    case 16: return 1040;
    case 22: return 1046;
    default: return 1033;
  }
}

void QZSetLanguage(uint16_t id) { QZGetSystemPreferences().language = id; }
uint16_t QZGetLanguage() { return QZGetSystemPreferences().language; }
void QZSetLanguageFromSystem() { QZSetLanguage(QZLanguageFromPrimary(GetUserDefaultLangID() & 0x3FF)); }

namespace {

struct MenuBars {
  std::vector<HWND> bars;
  HWND current = nullptr;
};

MenuBars& menuBars() {
  static MenuBars s;
  return s;
}

QZSystemPreferences& prefs() { return QZGetSystemPreferences(); }

}  // namespace

std::u16string QZURLEncode(const std::u16string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::u16string out;
  for (const char16_t c : text) {
    const bool kept = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'*' ||
                      c == u'-' || c == u'.' || c == u'_';
    if (kept) {
      out += c;
    } else if (c == u' ') {
      out += u'+';
    } else {
      std::u16string digits;
      for (unsigned v = c; v || digits.size() < 2; v >>= 4) digits.insert(digits.begin(), kHex[v & 15]);
      out += u'%' + digits;
    }
  }
  return out;
}

std::u16string QZDeviceIDToText(uint32_t id) {
  if (id > 0x0FFFFFFF) {
    std::u16string out = u"'";
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char16_t>((id >> shift) & 0xFF);
    return out + u"'";
  }
  const std::string digits = std::to_string(id);
  return std::u16string(digits.begin(), digits.end());
}

uint32_t QZGetDeviceID() { return 0; }

void QZGetBatteryStatus(QZBatteryStatus* out) {
  SYSTEM_POWER_STATUS_EX status{};
  GetSystemPowerStatusEx(&status, TRUE);
  const BYTE flag = status.BatteryFlag;
  out->level = flag == BATTERY_FLAG_UNKNOWN ? 0 : flag & 8 ? 4 : flag & 128 ? 5 : flag & 4 ? 3 : flag & 2 ? 2 : flag & 1 ? 1 : 0;
  out->percent = status.BatteryLifePercent <= 100 ? status.BatteryLifePercent : 1;
}

uint32_t QZGetFreeMemory() {
  MEMORYSTATUS status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  return static_cast<uint32_t>(status.dwAvailPhys);
}

void QZSetState(int32_t state) { prefs().currentState = prefs().requestedState = state; }
int32_t QZGetState() { return prefs().currentState; }
int32_t QZGetRequestedState() { return prefs().requestedState; }
int QZIsStateChanged() { return prefs().requestedState != prefs().currentState ? 1 : 0; }

int QZTakeStateChange() {
  if (!QZIsStateChanged()) return 0;
  prefs().currentState = prefs().requestedState;
  return 1;
}

int QZTestStateBits(int32_t bits) { return (prefs().currentState & bits) != 0 ? 1 : 0; }

uint32_t QZGetProcessorType() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return info.dwProcessorType;
}

int QZIsNotProcessor586() { return QZGetProcessorType() != PROCESSOR_INTEL_PENTIUM ? 1 : 0; }
uint32_t QZGetDeviceCompanyID() { return 0; }

QZStatus QZCreateDirectoryPath(const char16_t* path) {
  std::u16string folder = path ? path : u"";
  while (folder.size() > 1 && folder.back() == u'\\') folder.pop_back();
  if (folder.size() < 2) return QZ_ERR_GENERAL;
  for (size_t at = folder.find(u'\\', 1); at != std::u16string::npos; at = folder.find(u'\\', at + 1)) {
    CreateDirectory(folder.substr(0, at).c_str(), nullptr);
  }
  CreateDirectory(folder.c_str(), nullptr);
  const DWORD attributes = GetFileAttributes(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? QZ_OK : QZ_ERR_GENERAL;
}

namespace {

struct ProgramWindowSearch {
  DWORD thread;
  HWND found;
};

BOOL CALLBACK findProgramWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ProgramWindowSearch*>(parameter);
  if (GetWindowThreadProcessId(window, nullptr) != search->thread || !IsWindowVisible(window) ||
      !IsWindowEnabled(window) || (GetWindowLong(window, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

HWND QZFindProgramWindow(HWND main) {
  ProgramWindowSearch search{GetWindowThreadProcessId(main, nullptr), nullptr};
  if (search.thread) EnumWindows(findProgramWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

QZStatus QZCreateMenuBars(int count) {
  QZDestroyMenuBars();
  const DWORD flags = QZIsOEMDevice(u"AXIA A108", 0) ? SHCMBF_HIDESIPBUTTON : 0;
  for (int n = 0; n < count && n < QZ_MAX_MENU_BARS; ++n) {
    SHMENUBARINFO info{};
    info.cbSize = sizeof info;
    info.hwndParent = QZGetMainWindow();
    info.dwFlags = flags;
    info.nToolBarId = static_cast<UINT>(QZ_MENU_BAR_BASE_ID + n);
    info.hInstRes = QZGetInstance();
    if (!SHCreateMenuBar(&info)) return QZ_ERR_GENERAL;
    menuBars().bars.push_back(info.hwndMB);
    if (n == 0) menuBars().current = info.hwndMB;
  }
  return QZ_OK;
}

QZStatus QZShowMenuBar(int command) {
  MenuBars& m = menuBars();
  const int index = command - QZ_MENU_BAR_COMMAND_BASE;
  if (index < 0 || index >= static_cast<int>(m.bars.size()) || !IsWindow(m.bars[index])) return QZ_ERR_GENERAL;
  for (HWND bar : m.bars) {
    if (IsWindow(bar)) ShowWindow(bar, SW_HIDE);
  }
  m.current = m.bars[index];
  ShowWindow(m.current, SW_SHOW);
  if (HWND main = QZGetMainWindow()) ShowWindow(main, SW_SHOW);
  return QZ_OK;
}

HWND QZGetCurrentMenuBar() { return menuBars().current; }

void QZDestroyMenuBars() {
  MenuBars& m = menuBars();
  for (HWND bar : m.bars) {
    if (IsWindow(bar)) DestroyWindow(bar);
  }
  m.bars.clear();
  m.current = nullptr;
}
