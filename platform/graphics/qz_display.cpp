#include "qz_display.h"

#include <string>

#include "qz_preferences.h"
#include "wince/gdi.h"
#include "wince/system.h"
#include "wince/window.h"

uint16_t QZGetOrientation() { return QZGetSystemPreferences().orientation; }
void QZSetOrientation(uint16_t value) { QZGetSystemPreferences().orientation = value; }

namespace {

constexpr DWORD kOrientations[] = {DMDO_0, DMDO_90, DMDO_180, DMDO_270};

struct DisplayState {
  int kept = 0;    // the orientation to put back, 0 when none is kept
  int turned = 0;  // the orientation the program turned the display to, 0 when it did not
};

DisplayState& display() {
  static DisplayState s;
  return s;
}

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

int QZCanRotateDisplay() {
  const uint16_t type = QZGetDeviceType();
  if (type == 770 || type == 1026) return 0;
  DEVMODE mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_DISPLAYQUERYORIENTATION;
  return ChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr) == DISP_CHANGE_SUCCESSFUL ? 1 : 0;
}

int QZFitDisplayOrientation(int width, int height) {
  const int wanted = QZCompareShape(width, height);
  if (wanted == 5 || wanted == QZCompareShape(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) return 2;
  const int current = QZGetDisplayOrientation();
  const int target = current == 2 || current == 4 ? 1 : 2;
  if (!display().turned && !display().kept) display().kept = current;
  if (const int r = QZSetDisplayOrientation(target); r != 0) return r;
  display().turned = target;
  return 1;
}

int QZReadDisplayOrientation() {
  const int current = QZGetDisplayOrientation();
  if (current == 0) return 0;
  if (!display().turned) display().kept = current;
  if (current == 2 || current == 4) QZSetOrientation(static_cast<uint16_t>(current));
  return current;
}

int QZRestoreDisplayOrientation() {
  DisplayState& d = display();
  const int kept = d.kept;
  const bool turned = d.turned != 0;
  d.turned = 0;
  if (!turned || kept == 0) return 2;
  return kept == QZGetDisplayOrientation() ? 0 : QZSetDisplayOrientation(kept);
}

uint16_t QZGetDeviceType() {
  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionEx(&version)) return 0;
  WCHAR platform[100] = {};
  const bool queried = SystemParametersInfo(SPI_GETPLATFORMTYPE, sizeof platform, platform, 0) != 0;
  const bool deniedAsPhone = !queried && GetLastError() == 5;
  const std::u16string name = queried ? std::u16string(platform) : std::u16string();
  const bool pocket = name == u"PocketPC";
  const bool phone = name == u"SmartPhone" || deniedAsPhone;
  const uint32_t major = version.dwMajorVersion, minor = version.dwMinorVersion;
  if (major == 3) {
    if (name == u"Palm PC2") return 768;
    if (pocket) return 770;
    if (phone) return 1026;
  } else if (major == 4) {
    if (pocket) return 771;
    if (phone) return 1027;
  } else if (major > 4) {
    if (minor == 2) {
      if (pocket) return 774;
      if (name == u"SmartPhone") return 1030;
    } else {
      if (pocket) return 773;
      if (phone) return 1029;
    }
  }
  return 0;
}
