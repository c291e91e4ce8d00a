// Device profiles, metrics, version, hardware and display settings.
#include "wince/system.h"

#include <atomic>
#include <cstring>

#include "system_handles.h"
#include "wince/host/system.h"
#include "wince/text.h"

namespace {

constexpr wince::DeviceProfile kProfiles[] = {
    {"smartphone", 240, 320, 96, u"SmartPhone", u"Emulated Smartphone", 5, 2, 1235, 26, 26},
    {"pocketpc-vga", 480, 640, 192, u"PocketPC", u"Emulated Pocket PC VGA", 5, 2, 1235, 52, 52},
    {"pocketpc-qvga", 240, 320, 96, u"PocketPC", u"Emulated Pocket PC", 5, 2, 1235, 26, 26},
};
constexpr const char* kProfileNames[] = {"smartphone", "pocketpc-vga", "pocketpc-qvga", nullptr};

wince::DeviceProfile g_profile = kProfiles[0];

std::atomic<DWORD> g_orientation{DMDO_0};
std::atomic<bool> g_orientationQuery{true};
std::atomic<bool> g_rotatable{false};
std::atomic<BYTE> g_batteryFlag{BATTERY_FLAG_HIGH};
std::atomic<BYTE> g_batteryPercent{100};

thread_local DWORD t_lastError = 0;

int scaled(int pixelsAt96) { return (pixelsAt96 * wince::deviceProfile().dpi + 48) / 96; }

BOOL copyText(const WCHAR* text, UINT bufferBytes, void* buffer) {
  size_t bytes = (wcslen(text) + 1) * sizeof(WCHAR);
  if (!buffer || bytes > bufferBytes) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(buffer, text, bytes);
  return TRUE;
}

}  // namespace

namespace wince {

const DeviceProfile* findDeviceProfile(std::string_view name) {
  for (const DeviceProfile& p : kProfiles) {
    if (name == p.name) return &p;
  }
  return nullptr;
}

bool selectDeviceProfile(std::string_view name) {
  const DeviceProfile* p = findDeviceProfile(name);
  if (p) setDeviceProfile(*p);
  return p != nullptr;
}

// Selected before the program starts its threads; read-only afterwards.
void setDeviceProfile(const DeviceProfile& profile) { g_profile = profile; }

const DeviceProfile& deviceProfile() { return g_profile; }

const char* const* deviceProfileNames() { return kProfileNames; }

void setDisplayOrientationForTest(DWORD dmdo) { g_orientation = dmdo; }
void setOrientationQuerySupportedForTest(bool supported) { g_orientationQuery = supported; }
void setDisplayRotatableForTest(bool rotatable) { g_rotatable = rotatable; }

void setBatteryForTest(BYTE flag, BYTE lifePercent) {
  g_batteryFlag = flag;
  g_batteryPercent = lifePercent;
}

}  // namespace wince

namespace wince::detail {

HANDLE newHandleValue() {
  static std::atomic<uintptr_t> next{1};
  return reinterpret_cast<HANDLE>(next.fetch_add(1) << 4);
}

}  // namespace wince::detail

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD error) { t_lastError = error; }

int GetSystemMetrics(int index) {
  const wince::DeviceProfile& p = wince::deviceProfile();
  switch (index) {
    case SM_CXSCREEN:
      return p.screenWidth;
    case SM_CYSCREEN:
      return p.screenHeight;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return scaled(13);
    case SM_CYCAPTION:
    case SM_CYMENU:
      return scaled(26);
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXICON:
    case SM_CYICON:
      return scaled(32);
    case SM_CXSMICON:
    case SM_CYSMICON:
      return scaled(16);
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
      return scaled(4);
    default:
      return 0;
  }
}

LONG GetDialogBaseUnits() { return MAKELONG(scaled(6), scaled(13)); }

BOOL SystemParametersInfo(UINT action, UINT uiParam, void* pv, UINT winIni) {
  const wince::DeviceProfile& p = wince::deviceProfile();
  switch (action) {
    case SPI_GETWORKAREA:
      if (!pv) break;
      *static_cast<RECT*>(pv) = RECT{0, p.taskBarHeight, p.screenWidth, p.screenHeight};
      return TRUE;
    case SPI_GETPLATFORMTYPE:
      return copyText(p.platformType, uiParam, pv);
    case SPI_GETOEMINFO:
      return copyText(p.oemInfo, uiParam, pv);
    default:
      break;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

BOOL GetVersionEx(LPOSVERSIONINFO info) {
  if (!info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const wince::DeviceProfile& p = wince::deviceProfile();
  info->dwMajorVersion = p.osMajor;
  info->dwMinorVersion = p.osMinor;
  info->dwBuildNumber = p.osBuild;
  info->dwPlatformId = VER_PLATFORM_WIN32_CE;
  info->szCSDVersion[0] = 0;
  return TRUE;
}

void GetSystemInfo(LPSYSTEM_INFO info) {
  std::memset(info, 0, sizeof *info);
  info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_ARM;
  info->dwPageSize = 4096;
  info->lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(0x10000);
  info->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(0x7FFFFFFF);
  info->dwActiveProcessorMask = 1;
  info->dwNumberOfProcessors = 1;
  info->dwProcessorType = PROCESSOR_STRONGARM;
  info->dwAllocationGranularity = 65536;
  info->wProcessorLevel = 4;
}

void GlobalMemoryStatus(LPMEMORYSTATUS status) {
  const DWORD mb = 1024 * 1024;
  status->dwLength = sizeof *status;
  status->dwMemoryLoad = 62;
  status->dwTotalPhys = 64 * mb;
  status->dwAvailPhys = 24 * mb;
  status->dwTotalPageFile = 0;
  status->dwAvailPageFile = 0;
  status->dwTotalVirtual = 32 * mb;
  status->dwAvailVirtual = 24 * mb;
}

BOOL GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX status, BOOL update) {
  if (!status) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::memset(status, 0, sizeof *status);
  status->ACLineStatus = AC_LINE_ONLINE;
  status->BatteryFlag = g_batteryFlag;
  status->BatteryLifePercent = g_batteryPercent;
  status->BatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  status->BatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
  status->BackupBatteryFlag = BATTERY_FLAG_HIGH;
  status->BackupBatteryLifePercent = 100;
  status->BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
  status->BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
  return TRUE;
}

LONG ChangeDisplaySettingsEx(LPCWSTR device, LPDEVMODE mode, HWND hwnd, DWORD flags, LPVOID param) {
  if (device || !mode) return DISP_CHANGE_BADPARAM;
  if (mode->dmFields & DM_DISPLAYQUERYORIENTATION) {
    if (!g_orientationQuery) return DISP_CHANGE_BADMODE;
    mode->dmDisplayOrientation = DMDO_0;
    return DISP_CHANGE_SUCCESSFUL;
  }
  if (mode->dmFields & DM_DISPLAYORIENTATION) {
    if (flags & CDS_TEST) {
      mode->dmDisplayOrientation = g_orientation;
      return DISP_CHANGE_SUCCESSFUL;
    }
    const DWORD wanted = mode->dmDisplayOrientation;
    if (wanted == g_orientation) return DISP_CHANGE_SUCCESSFUL;
    const bool valid = wanted == DMDO_0 || wanted == DMDO_90 || wanted == DMDO_180 || wanted == DMDO_270;
    if (!g_rotatable || !valid) return DISP_CHANGE_BADMODE;
    g_orientation = wanted;
    return DISP_CHANGE_SUCCESSFUL;
  }
  return DISP_CHANGE_BADPARAM;
}
