#include "qz_system.h"

#include <cstdlib>

#include "qz_preferences.h"
#include "wince/clock.h"
#include "wince/system.h"

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
uint16_t QZGetOrientation() { return QZGetSystemPreferences().orientation; }
void QZSetOrientation(uint16_t value) { QZGetSystemPreferences().orientation = value; }

namespace {

constexpr DWORD kOrientations[] = {DMDO_0, DMDO_90, DMDO_180, DMDO_270};

}  // namespace

int QZSetDisplayOrientation(int orientation) {
  if (orientation < 1 || orientation > 4) return 2;
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYORIENTATION;
  mode.dmDisplayOrientation = kOrientations[orientation - 1];
  return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_RESET, nullptr) == DISP_CHANGE_SUCCESSFUL ? 0 : -1;
}

int QZGetDisplayOrientation() {
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYORIENTATION;
  if (ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr) != DISP_CHANGE_SUCCESSFUL) return 0;
  for (int i = 0; i < 4; ++i) {
    if (mode.dmDisplayOrientation == kOrientations[i]) return i + 1;
  }
  return 0;
}

int QZCompareShape(int width, int height) {
  if (width == height) return 5;
  return height > width ? 1 : 2;
}

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
